// The Normal glow's last steps in one pass when no depth glow is merged in. The intensity
// curve, Colourise and Opacity each depend on the glow value alone, so together they are a
// table of glow pixels built once per frame; each output pixel is then composited with the
// entry of its glow value, and the glow image itself is never stored.
#pragma once

#include <vector>

#include "render/color/GlowColorize.h"
#include "render/pipeline/StageHost.h"

namespace AEUtil {

inline constexpr std::size_t kGlowValues = 65536;

struct NormalGlowLook {
    double intensity = 1.0;
    ColorizeSettings coloring; // the Normal rule; gradient set
    bool opacityRuns = false;
    double opacity = 100.0;
};

// What the tail looks up by glow value v: glow[v], the glow image pixel,
// Opacity(Colourise(curve(v))) or transparent black where the curved value is 0; and
// overClear[v], that pixel composited onto transparent black with the frame's Blend Mode.
template <class Pixel>
struct NormalGlowTables {
    std::vector<Pixel> glow, overClear;
};

// Built over the host's workers, a band of values each. May throw std::bad_alloc.
template <class Pixel>
PF_Err buildNormalGlowTables(const StageHost &host, const NormalGlowLook &look, A_long blendMode,
                             NormalGlowTables<Pixel> &tables);

// The final composite of the glow plane's pixels, looked up in the tables, onto the output by
// View and Blend Mode, exactly as finalCompositeStage does with the stored glow image.
template <class Pixel>
PF_Err normalGlowTailStage(const StageHost &host, PF_EffectWorld &output, const GlowPlane &glow,
                           const NormalGlowTables<Pixel> &tables, const PlaneRect &rect, A_long blendMode, A_long view);

} // namespace AEUtil
