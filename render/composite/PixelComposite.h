// Per-pixel pieces of the last stages: the pixel composite (alpha and colour of a glow pixel over
// an output pixel), the Opacity scaling of glow alpha, and the "Threshold" view's fold.
#ifndef LUMORA_RENDER_PIXELCOMPOSITE_H
#define LUMORA_RENDER_PIXELCOMPOSITE_H

#include "AE_Effect.h"
#include "render/composite/BlendKernel.h"

namespace AEUtil {

// Composites upper onto lower in place, alpha included; mode is a kernel mode (BlendModeTable.h).
void compositePixel(PF_Pixel8 &lower, const PF_Pixel8 &upper, A_long mode);
void compositePixel(PF_Pixel16 &lower, const PF_Pixel16 &upper, A_long mode);
void compositePixel(PF_PixelFloat &lower, const PF_PixelFloat &upper, A_long mode);

void compositeRow(PF_Pixel8 *lower, const PF_Pixel8 *upper, A_long width, A_long mode);
void compositeRow(PF_Pixel16 *lower, const PF_Pixel16 *upper, A_long width, A_long mode);
void compositeRow(PF_PixelFloat *lower, const PF_PixelFloat *upper, A_long width, A_long mode);

// Only an Opacity of exactly 100 leaves the glow alone; 99.999 still runs the stage.
inline bool opacityStageRuns(double opacityPercent) { return opacityPercent != 100.0; }

// Scales alpha only, by the form's rounded integer factor (float: exactly).
void applyOpacityRow(PF_Pixel8 *row, A_long width, double opacityPercent);
void applyOpacityRow(PF_Pixel16 *row, A_long width, double opacityPercent);
void applyOpacityRow(PF_PixelFloat *row, A_long width, double opacityPercent);

// "Threshold" view: raises the output's colour to the glow's alpha where its red is below it.
void thresholdViewPixel(PF_Pixel8 &out, const PF_Pixel8 &glow);
void thresholdViewPixel(PF_Pixel16 &out, const PF_Pixel16 &glow);
void thresholdViewPixel(PF_PixelFloat &out, const PF_PixelFloat &glow);

} // namespace AEUtil

#endif
