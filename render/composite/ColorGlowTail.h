// The colour glow's last steps in one pass when no depth glow is merged in: un-premultiply,
// the Glow Intensity curve, the 8 bpc reduction, Opacity and the final composite, pixel by
// pixel in the order their stages run, so neither the finished glow image nor its 8 bpc copy
// is stored. At 16 bits the curve is a table of the channel value, built once per frame.
#pragma once

#include "render/pipeline/StageHost.h"

namespace AEUtil {

struct ColorGlowFinish {
    double intensity = 1.0;
    bool opacityRuns = false;
    double opacity = 100.0;
    A_long blendMode = 0; // popup value
    A_long view = 0;
};

// glow is the blurred colour glow (ARGB64 for 8 and 16 bpc, ARGB128 for float); output is in
// Pixel's form. May throw std::bad_alloc.
template <class Pixel>
PF_Err colorGlowTailStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                          const PlaneRect &rect, const ColorGlowFinish &finish);

} // namespace AEUtil
