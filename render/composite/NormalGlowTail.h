// The Normal glow's last steps in one pass when no depth glow is merged in. The intensity
// curve, Colourise and Opacity each depend on the glow value alone, so together they are a
// table of glow pixels built once per frame; each output pixel is then composited with the
// entry of its glow value, and the glow image itself is never stored.
#pragma once

#include <vector>

#include "render/StageJob.h"

namespace AEUtil {

inline constexpr std::size_t kGlowValues = 65536;

struct NormalGlowLook {
    double intensity = 1.0;
    ColouriseSettings colouring; // the Normal rule; gradient set
    bool opacityRuns = false;
    double opacity = 100.0;
};

// table[v] = the glow image pixel of glow value v: Opacity(Colourise(curve(v))), transparent
// black where the curved value is 0. May throw std::bad_alloc.
template <class Pixel>
void buildNormalGlowTable(const NormalGlowLook &look, std::vector<Pixel> &table);

// The final composite of the glow plane's pixels, looked up in `table`, onto the output by View
// and Blend Mode, exactly as finalCompositeStage does with the stored glow image.
template <class Pixel>
PF_Err normalGlowTailStage(const StageHost &host, PF_EffectWorld &output, const GlowPlane &glow,
                           const std::vector<Pixel> &table, const PlaneRect &rect, A_long blendMode, A_long view);

} // namespace AEUtil
