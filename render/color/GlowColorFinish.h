// The finishing steps of the coloured glow, per pixel: un-premultiply after the colour blur,
// the Glow (or Depth) Intensity curve on all four channels, and the depth-glow merge.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

// Alpha 0 leaves the pixel as it is.
void unpremultiply(PF_Pixel16 &p);
void unpremultiply(PF_PixelFloat &p);

// The colour intensity curve for one intensity I, its denominator computed once. I = 0 makes
// the curve 0 / 0: at both depths every channel of a lit pixel becomes 0 (no glow), as the
// plane's curve does.
class ColorIntensity {
public:
    explicit ColorIntensity(double intensity);

    // Alpha 0 leaves the pixel as it is.
    void apply(PF_Pixel16 &p) const;
    void apply(PF_PixelFloat &p) const;

private:
    A_u_short channel16(A_u_short c) const;
    float channelFloat(float c) const;

    double intensity_;
    double denominator_; // log10(I + 1)
    bool removesGlow_;
};

// Lays the depth glow pixel over the main glow pixel (in place).
void mergeDepthGlow(PF_Pixel8 &main, const PF_Pixel8 &depth);
void mergeDepthGlow(PF_Pixel16 &main, const PF_Pixel16 &depth);
void mergeDepthGlow(PF_PixelFloat &main, const PF_PixelFloat &depth);

} // namespace AEUtil
