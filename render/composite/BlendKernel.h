// The per-pixel blend kernel shared by the final composite and the depth-glow merge: red, green
// and blue of the result from a lower and an upper (glow) pixel, in 8 bpc, 16 bpc and float.
#ifndef LUMORA_RENDER_BLENDKERNEL_H
#define LUMORA_RENDER_BLENDKERNEL_H

#include "AE_Effect.h"
#include "render/composite/BlendModeTable.h"

namespace AEUtil {

// Reads the lower alpha as the mixing weight and the upper alpha as the glow's strength; never
// writes alpha. result may be the lower pixel itself (every caller does that).
void blendKernel(PF_Pixel8 &result, const PF_Pixel8 &lower, const PF_Pixel8 &upper, A_long mode);
void blendKernel(PF_Pixel16 &result, const PF_Pixel16 &lower, const PF_Pixel16 &upper, A_long mode);
void blendKernel(PF_PixelFloat &result, const PF_PixelFloat &lower, const PF_PixelFloat &upper, A_long mode);

// The soft-light curve on normalised lower d and upper s, before scaling to the form.
double softLightCurve(double d, double s);

} // namespace AEUtil

#endif
