// What the steps of one frame render share: the settings copy, the working values and every
// buffer, each owned here so that all of them go back on every path.
#pragma once

#include <optional>
#include <type_traits>

#include "AE_EffectPixelFormat.h"
#include "colorbar/data/GradientData.h"
#include "host/kit/WorldSuite.h"
#include "params/RenderSettings.h"
#include "render/color/GlowColorize.h"
#include "render/color/HueWrapTable.h"
#include "render/pipeline/GlowWorkingValues.h"
#include "render/pipeline/ProgressCounter.h"
#include "render/pipeline/StageHost.h"

namespace AEUtil {

// Pixel types and formats of one depth. The colour glow of Angle Map and Original Colors is
// worked at 16 bits in an 8 bpc render.
template <class Pixel>
struct GlowDepth {
    static constexpr bool is8 = std::is_same_v<Pixel, PF_Pixel8>;
    static constexpr bool isFloat = std::is_same_v<Pixel, PF_PixelFloat>;
    static constexpr PF_PixelFormat format = is8       ? PF_PixelFormat_ARGB32
                                             : isFloat ? PF_PixelFormat_ARGB128
                                                       : PF_PixelFormat_ARGB64;
    using Wide = std::conditional_t<isFloat, PF_PixelFloat, PF_Pixel16>;
    static constexpr PF_PixelFormat wideFormat = isFloat ? PF_PixelFormat_ARGB128 : PF_PixelFormat_ARGB64;
    static constexpr HueWrapTable::Channels hueChannels =
        is8 ? HueWrapTable::Channels::Bytes8 : HueWrapTable::Channels::Scaled16;
};

// Glow Type popup values.
inline constexpr A_long kGlowTypeNormal = 1;
inline constexpr A_long kGlowTypeAngleMap = 2;
inline constexpr A_long kGlowTypeOriginalColors = 3;

struct GlowRenderContext {
    RenderSettings settings; // the driver's private copy
    PF_InData *in_data = nullptr;
    StageHost host;
    GlowWorkingValues values;
    PlaneRect rect;
    ProgressCounter progress;
    bool depthBranch = false; // whether the depth branch built M and E

    // Planes, by the letters the steps use: A, B, C, P, M, E and Gd.
    GlowPlane glowSource, combinedSource, glow, angles, depthMask, depthSource, depthGlow;
    // Work worlds GL, SRC, X1 and X2.
    EffectWorldPtr glowImage, centeredSource, colorGlow, depthColorGlow;
    // The centred source: SRC, or the output when that holds it and SRC is not needed.
    const PF_EffectWorld *source = nullptr;

    ColorFlagList gradient{};
    std::optional<HueWrapTable> hueWrap;

    ColorizeSettings coloring(A_long rule, bool tint) const {
        ColorizeSettings s;
        s.rule = static_cast<ColorRule>(rule);
        s.tint = tint;
        s.tintColor = settings.depthTint;
        s.hueWrap = hueWrap ? hueWrap->data() : nullptr;
        s.gradient = &gradient;
        return s;
    }
};

// Step 9, with Enable Depth Effects and a Depth Layer: the depth mask M and the depth glow
// source E. Sets depthBranch on success.
template <class Pixel>
PF_Err buildDepthBranch(GlowRenderContext &ctx);

// Step 10, Glow Type Normal: the plane blur into C; with the depth branch, the intensity curve,
// Colourise into GL and the depth glow over it. Without it the driver finishes from C.
template <class Pixel>
PF_Err renderNormalGlow(GlowRenderContext &ctx);

// Step 11, Angle Map and Original Colors: Colourise first, then the colour blur and its
// finish, into GL, with the depth glow merged in the colour worlds. Its three extra worlds
// live only for this step.
template <class Pixel>
PF_Err renderColorGlow(GlowRenderContext &ctx);

} // namespace AEUtil
