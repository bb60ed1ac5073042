// The frame render driver. Buffers are allocated up front; from the first fill on, each step
// runs only while no error has been met, and the first error is the result.
#include "render/pipeline/RenderGlow.h"

#include <new>
#include <vector>

#include "colorbar/FetchGradient.h"
#include "render/composite/ColorGlowTail.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/NormalGlowTail.h"
#include "render/composite/PixelComposite.h"
#include "render/depth/DepthPlacement.h"
#include "render/pipeline/GlowRenderContext.h"
#include "render/pipeline/HostWorldOps.h"
#include "render/source/CopyCentered.h"
#include "render/source/GlowSourceStages.h"

namespace AEUtil {

namespace {

GlowPlane newPlane(const GlowWorkingValues &v, const PlaneMemory &mem) {
    GlowPlane p;
    p.resize(v.width, v.height, mem);
    return p;
}

// Without a depth glow to merge, the frame ends in a fused tail that stores no glow image.
bool fusedTail(const RenderSettings &s) { return !depthBranchRuns(s); }

// View Normal over an output of the area's size starts from the centred source, so the output
// can hold it; until the fused tail composites onto it, it is read as the source.
bool sourceInOutput(const GlowRenderContext &ctx) {
    const PF_EffectWorld *out = ctx.settings.output;
    return ctx.settings.view == kViewNormal && out->width == ctx.values.width && out->height == ctx.values.height;
}

// Only what this frame's branch reads is allocated. Without the depth branch the mask
// weighting is the identity (full weight everywhere), so the combined source is the glow source
// itself, shared rather than copied; the blurs size their own outputs.
template <class Pixel>
void allocateBuffers(GlowRenderContext &ctx) {
    const GlowWorkingValues &v = ctx.values;
    const PlaneMemory &mem = ctx.host.memory;
    const A_long glowType = ctx.settings.glowType;
    const bool depth = depthBranchRuns(ctx.settings);
    const bool colorGlow = glowType != kGlowTypeNormal;
    ctx.glowSource = newPlane(v, mem);
    if (depth) {
        ctx.depthMask = newPlane(v, mem);
        ctx.depthSource = newPlane(v, mem);
        ctx.depthSource.clear();
        if (colorGlow) {
            ctx.glow = newPlane(v, mem);
            ctx.glow.clear();
        } else {
            ctx.combinedSource = newPlane(v, mem);
            ctx.combinedSource.clear();
        }
    }
    if (glowType == kGlowTypeAngleMap)
        ctx.angles = newPlane(v, mem);

    constexpr PF_PixelFormat format = GlowDepth<Pixel>::format;
    const PF_PixelFormat colorFormat = colorGlow ? GlowDepth<Pixel>::wideFormat : format;
    if (!fusedTail(ctx.settings))
        ctx.glowImage = WorldSuite::newWorld(ctx.in_data, v.width, v.height, false, format);
    if (!(fusedTail(ctx.settings) && sourceInOutput(ctx)))
        ctx.centeredSource = WorldSuite::newWorld(ctx.in_data, v.width, v.height, false, format);
    if (colorGlow)
        ctx.colorGlow = WorldSuite::newWorld(ctx.in_data, v.width, v.height, false, colorFormat);
    if (depth)
        ctx.depthColorGlow = WorldSuite::newWorld(ctx.in_data, v.width, v.height, false, colorFormat);
}

// Steps 3 to 5: clear the work worlds, centre the source in SRC, prepare the output by View.
// Centring writes every pixel of its destination, so SRC and a same-sized output need no fill.
template <class Pixel>
PF_Err placeSource(GlowRenderContext &ctx) {
    PF_Err err = PF_Err_NONE;
    for (PF_EffectWorld *w : {ctx.glowImage.get(), ctx.depthColorGlow.get()})
        if (!err && w)
            err = fillWorld(ctx.in_data, *w, FillColor::TransparentBlack);
    const PF_Rect &in = ctx.settings.inputRect;
    CenteredCopy job{ctx.centeredSource.get(), ctx.settings.input, {in.left, in.top, in.right, in.bottom}, ctx.rect,
                     ctx.values.offsetX,       ctx.values.offsetY};
    if (!err && ctx.centeredSource)
        err = placeCentered<Pixel>(ctx.host, job);
    PF_EffectWorld &output = *ctx.settings.output;
    ctx.source = ctx.centeredSource ? ctx.centeredSource.get() : &output;
    if (err)
        return err;
    switch (ctx.settings.view) {
    case kViewNormal:
        if (sourceInOutput(ctx)) {
            job.dst = &output;
            return placeCentered<Pixel>(ctx.host, job);
        }
        err = fillWorld(ctx.in_data, output, FillColor::TransparentBlack);
        if (!err)
            err = copyWorld(ctx.in_data, *ctx.centeredSource.get(), output);
        return err;
    case kViewExtract: return fillWorld(ctx.in_data, output, FillColor::TransparentBlack);
    default: return fillWorld(ctx.in_data, output, FillColor::OpaqueBlack);
    }
}

template <class Pixel>
PF_Err finishFromTable(GlowRenderContext &ctx) {
    NormalGlowLook look;
    look.intensity = ctx.settings.glowIntensity;
    look.coloring = ctx.coloring(kGlowTypeNormal, false);
    look.opacityRuns = opacityStageRuns(ctx.settings.opacity);
    look.opacity = ctx.settings.opacity;
    NormalGlowTables<Pixel> tables;
    PF_Err err = PF_Err_NONE;
    try {
        err = buildNormalGlowTables(ctx.host, look, ctx.settings.blendMode, tables);
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    }
    if (err)
        return err;
    return normalGlowTailStage<Pixel>(ctx.host, *ctx.settings.output, ctx.glow, tables, ctx.rect,
                                      ctx.settings.blendMode, ctx.settings.view);
}

template <class Pixel>
PF_Err finishColorGlow(GlowRenderContext &ctx) {
    ColorGlowFinish finish;
    finish.intensity = ctx.settings.glowIntensity;
    finish.opacityRuns = opacityStageRuns(ctx.settings.opacity);
    finish.opacity = ctx.settings.opacity;
    finish.blendMode = ctx.settings.blendMode;
    finish.view = ctx.settings.view;
    try {
        return colorGlowTailStage<Pixel>(ctx.host, *ctx.settings.output, *ctx.colorGlow.get(), ctx.rect, finish);
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    }
}

template <class Pixel>
PF_Err runSteps(GlowRenderContext &ctx, PF_Err err, PF_ParamIndex gradientIndex) {
    if (!err)
        err = placeSource<Pixel>(ctx);
    if (!err)
        err = fetchGradient(ctx.in_data, gradientIndex, ctx.gradient);
    // Only the depth glow's tint reads the hue table.
    if (!err && depthBranchRuns(ctx.settings))
        ctx.hueWrap.emplace(ctx.gradient, GlowDepth<Pixel>::hueChannels, ctx.host.memory);
    if (!err)
        err = extractGlowSource<Pixel>(ctx.host, *ctx.source, ctx.rect, ctx.values.threshold, ctx.values.thresholdSoft,
                                       ctx.settings.inputChannel, ctx.glowSource);
    if (!err) {
        if (depthBranchRuns(ctx.settings))
            err = buildDepthBranch<Pixel>(ctx);
    }
    if (!err) {
        switch (ctx.settings.glowType) {
        case kGlowTypeNormal: err = renderNormalGlow<Pixel>(ctx); break;
        case kGlowTypeAngleMap:
        case kGlowTypeOriginalColors: err = renderColorGlow<Pixel>(ctx); break;
        default: err = PF_Err_BAD_CALLBACK_PARAM; break;
        }
    }
    ctx.hueWrap.reset();
    if (!err && fusedTail(ctx.settings)) {
        if (ctx.settings.glowType == kGlowTypeNormal)
            err = finishFromTable<Pixel>(ctx);
        else
            err = finishColorGlow<Pixel>(ctx);
    } else {
        if (!err && opacityStageRuns(ctx.settings.opacity))
            err = opacityStage<Pixel>(ctx.host, *ctx.glowImage.get(), ctx.rect, ctx.settings.opacity);
        if (!err)
            err = finalCompositeStage<Pixel>(ctx.host, *ctx.settings.output, *ctx.glowImage.get(), ctx.rect,
                                             ctx.settings.blendMode, ctx.settings.view);
    }
    if (!err)
        err = ctx.progress.report(ctx.progress.stepsDone + 1);
    return err;
}

} // namespace

template <class Pixel>
PF_Err renderGlow(const RenderSettings &settings, PF_ParamIndex gradientIndex) {
    if (!settings.in_data || !settings.input || !settings.output)
        return PF_Err_BAD_CALLBACK_PARAM;
    GlowRenderContext ctx;
    ctx.settings = settings;
    ctx.in_data = settings.in_data;
    ctx.host = StageHost::fromInData(*ctx.in_data);

    A_long itemWidth = 0, itemHeight = 0;
    const PF_Err err = queryItemSize(ctx.in_data, itemWidth, itemHeight);
    ctx.values = glowWorkingValues(ctx.settings, *ctx.in_data, itemWidth, itemHeight);
    if (ctx.values.empty())
        return PF_Err_NONE;
    ctx.rect = {0, 0, ctx.values.width, ctx.values.height};
    ctx.progress.inData = ctx.in_data;
    ctx.progress.effectRef = ctx.in_data->effect_ref;

    allocateBuffers<Pixel>(ctx);
    return runSteps<Pixel>(ctx, err, gradientIndex);
}

template PF_Err renderGlow<PF_Pixel8>(const RenderSettings &, PF_ParamIndex);
template PF_Err renderGlow<PF_Pixel16>(const RenderSettings &, PF_ParamIndex);
template PF_Err renderGlow<PF_PixelFloat>(const RenderSettings &, PF_ParamIndex);

PF_Err renderGlowForFormat(const RenderSettings &settings, PF_ParamIndex gradientIndex) {
    switch (settings.pixelFormat) {
    case PF_PixelFormat_ARGB32: return renderGlow<PF_Pixel8>(settings, gradientIndex);
    case PF_PixelFormat_ARGB64: return renderGlow<PF_Pixel16>(settings, gradientIndex);
    case PF_PixelFormat_ARGB128: return renderGlow<PF_PixelFloat>(settings, gradientIndex);
    default: return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    }
}

} // namespace AEUtil
