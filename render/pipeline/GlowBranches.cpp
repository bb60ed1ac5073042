// The two branches of the frame render by Glow Type, each with its depth glow.
#include "render/pipeline/GlowRenderContext.h"

#include "render/blur/BlurGlowPlane.h"
#include "render/blur/BlurGlowWorld.h"
#include "render/color/ColorFinishStages.h"
#include "render/color/ColorizeStage.h"
#include "render/composite/CompositeStages.h"
#include "render/depth/DepthStages.h"
#include "render/pipeline/HostWorldOps.h"
#include "render/source/ClearWorld.h"
#include "render/source/FormatConvert.h"
#include "render/source/GlowSourceStages.h"

namespace AEUtil {

namespace {

template <class Wide>
PF_Err blurColorGlow(GlowRenderContext &ctx, PF_EffectWorld &out, const PF_EffectWorld &in, PF_EffectWorld &tmp,
                     double radius) {
    if constexpr (std::is_same_v<Wide, PF_PixelFloat>)
        return BlurGlowWorldFloat(ctx.host, out, in, tmp, ctx.rect, radius, ctx.settings.glowAspect, &ctx.progress);
    else
        return BlurGlowWorld(ctx.host, out, in, tmp, ctx.rect, radius, ctx.settings.glowAspect, &ctx.progress);
}

// The Normal type's depth glow: blurred with Depth Radius, shaped by Depth Intensity + 1 (so
// Depth Intensity 0 keeps it), tinted, and laid over GL.
template <class Pixel>
PF_Err addNormalDepthGlow(GlowRenderContext &ctx) {
    PF_Err err = BlurGlowPlane(ctx.host, ctx.depthSource, ctx.depthGlow, ctx.values.depthRadius,
                               ctx.settings.glowAspect, &ctx.progress);
    if (!err)
        err = applyDepthIntensityCurve(ctx.host, ctx.depthMask, ctx.rect, ctx.settings.depthIntensity + 1.0,
                                       ctx.depthGlow);
    if (!err)
        err = colorizeStage<Pixel>(ctx.host, *ctx.depthColorGlow.get(), ctx.centeredSource.get(), ctx.depthGlow,
                                   ctx.angles, ctx.rect, ctx.coloring(kGlowTypeNormal, true));
    if (!err)
        err = depthGlowMergeStage<Pixel>(ctx.host, *ctx.glowImage.get(), *ctx.depthColorGlow.get(), ctx.rect);
    return err;
}

// The colour types' depth glow, built like their main glow from E with the tint and Depth
// Radius, finished with Depth Intensity itself, and laid over X1.
template <class Wide>
PF_Err addColorDepthGlow(GlowRenderContext &ctx, PF_EffectWorld &T1, PF_EffectWorld &T2,
                         const PF_EffectWorld *colorSource) {
    const A_long glowType = ctx.settings.glowType;
    PF_Err err = clearWorldStage<Wide>(ctx.host, T1);
    if (!err && glowType == kGlowTypeAngleMap)
        err = angleMapStage(ctx.host, ctx.depthSource, ctx.angles);
    if (!err)
        err = colorizeStage<Wide>(ctx.host, T1, colorSource, ctx.depthSource, ctx.angles, ctx.rect,
                                  ctx.coloring(glowType, true));
    if (!err)
        err = blurColorGlow<Wide>(ctx, *ctx.depthColorGlow.get(), T1, T2, ctx.values.depthRadius);
    if (!err)
        err = unpremultiplyStage<Wide>(ctx.host, *ctx.depthColorGlow.get(), ctx.rect);
    if (!err)
        err = colorIntensityStage<Wide>(ctx.host, *ctx.depthColorGlow.get(), ctx.rect, ctx.settings.depthIntensity);
    if (!err)
        err = depthGlowMergeStage<Wide>(ctx.host, *ctx.colorGlow.get(), *ctx.depthColorGlow.get(), ctx.rect);
    return err;
}

} // namespace

template <class Pixel>
PF_Err renderNormalGlow(GlowRenderContext &ctx) {
    PF_Err err = PF_Err_NONE;
    if (ctx.depthBranch)
        err = combineWithMask(ctx.host, ctx.glowSource, ctx.depthMask, ctx.combinedSource);
    else
        ctx.combinedSource = ctx.glowSource; // full weight everywhere: the combined source is the glow source
    if (!err)
        err = BlurGlowPlane(ctx.host, ctx.combinedSource, ctx.glow, ctx.values.radius, ctx.settings.glowAspect,
                            &ctx.progress);
    if (!ctx.depthBranch)
        return err; // the rest is the frame's table-driven tail
    if (!err)
        err = applyIntensityCurve(ctx.host, ctx.rect, ctx.settings.glowIntensity, ctx.glow);
    if (!err)
        err = colorizeStage<Pixel>(ctx.host, *ctx.glowImage.get(), ctx.centeredSource.get(), ctx.glow, ctx.angles,
                                   ctx.rect, ctx.coloring(kGlowTypeNormal, false));
    if (!err)
        err = addNormalDepthGlow<Pixel>(ctx);
    return err;
}

template <class Pixel>
PF_Err renderColorGlow(GlowRenderContext &ctx) {
    using Wide = typename GlowDepth<Pixel>::Wide;
    constexpr PF_PixelFormat wideFormat = GlowDepth<Pixel>::wideFormat;
    const A_long W = ctx.values.width, H = ctx.values.height;
    EffectWorldPtr T1 = WorldSuite::newWorld(ctx.in_data, W, H, false, wideFormat);
    EffectWorldPtr T2 = WorldSuite::newWorld(ctx.in_data, W, H, false, wideFormat);
    const A_long glowType = ctx.settings.glowType;
    // Only Original Colors reads the source's colours, at 16 bits in an 8 bpc render.
    const bool widenSource = std::is_same_v<Pixel, PF_Pixel8> && glowType == kGlowTypeOriginalColors;
    EffectWorldPtr T3 = widenSource ? WorldSuite::newWorld(ctx.in_data, W, H, false, wideFormat) : EffectWorldPtr{};

    PF_Err err = clearWorldStage<Wide>(ctx.host, *T1.get());
    const PF_EffectWorld *colorSource = ctx.source;
    if (widenSource) {
        if (!err)
            err = expandTo16(ctx.host, *T3.get(), *ctx.source, ctx.rect);
        colorSource = T3.get();
    }
    if (!err && ctx.depthBranch)
        err = combineWithMask(ctx.host, ctx.glowSource, ctx.depthMask, ctx.glow);
    else if (!err)
        ctx.glow = ctx.glowSource; // full weight everywhere: the combined source is the glow source
    if (!err && glowType == kGlowTypeAngleMap)
        err = angleMapStage(ctx.host, ctx.glow, ctx.angles);
    if (!err)
        err = colorizeStage<Wide>(ctx.host, *T1.get(), colorSource, ctx.glow, ctx.angles, ctx.rect,
                                  ctx.coloring(glowType, false));
    if (!err)
        err = blurColorGlow<Wide>(ctx, *ctx.colorGlow.get(), *T1.get(), *T2.get(), ctx.values.radius);
    if (!ctx.depthBranch)
        return err; // the rest is the frame's fused tail
    if (!err)
        err = unpremultiplyStage<Wide>(ctx.host, *ctx.colorGlow.get(), ctx.rect);
    if (!err)
        err = colorIntensityStage<Wide>(ctx.host, *ctx.colorGlow.get(), ctx.rect, ctx.settings.glowIntensity);
    if (!err && ctx.depthBranch)
        err = addColorDepthGlow<Wide>(ctx, *T1.get(), *T2.get(), colorSource);
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
        if (!err)
            err = reduceTo8(ctx.host, *ctx.glowImage.get(), *ctx.colorGlow.get(), ctx.rect);
    } else {
        if (!err)
            err = copyWorld(ctx.in_data, *ctx.colorGlow.get(), *ctx.glowImage.get());
    }
    return err;
}

template PF_Err renderNormalGlow<PF_Pixel8>(GlowRenderContext &);
template PF_Err renderNormalGlow<PF_Pixel16>(GlowRenderContext &);
template PF_Err renderNormalGlow<PF_PixelFloat>(GlowRenderContext &);
template PF_Err renderColorGlow<PF_Pixel8>(GlowRenderContext &);
template PF_Err renderColorGlow<PF_Pixel16>(GlowRenderContext &);
template PF_Err renderColorGlow<PF_PixelFloat>(GlowRenderContext &);

} // namespace AEUtil
