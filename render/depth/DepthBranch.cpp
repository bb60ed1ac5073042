// The depth branch of the frame render: the Depth Layer cropped to the source area, scaled to
// the source's size, placed like the source, read through the DepthCurve into the mask M, and
// the depth glow source E. Its curve and three worlds live only for this step.
#include "render/depth/DepthCurve.h"
#include "render/depth/DepthPlacement.h"
#include "render/depth/DepthStages.h"
#include "render/pipeline/GlowRenderContext.h"
#include "render/pipeline/HostWorldOps.h"
#include "render/source/CopyCentered.h"

namespace AEUtil {

namespace {

// The placement world from the Depth Layer; it is cleared first, so whatever the crop or the
// centred copy leave uncovered reads as depth 0.
template <class Pixel>
PF_Err placeDepthLayer(GlowRenderContext &ctx, PF_EffectWorld &placement) {
    constexpr PF_PixelFormat format = GlowDepth<Pixel>::format;
    const PF_EffectWorld &depth = *ctx.settings.depthLayer;
    const PF_Rect source = sourcePlacement(ctx.settings);
    const A_long inW = source.right - source.left, inH = source.bottom - source.top;
    const PlaneRect crop = depthCropRect(depth.width, depth.height, ctx.values, source);
    const A_long cropW = crop.right - crop.left, cropH = crop.bottom - crop.top;

    PF_Err err = fillWorld(ctx.in_data, placement, FillColor::TransparentBlack);
    // A crop or source without area has nothing to place: the mask reads depth 0 everywhere.
    if (err || cropW <= 0 || cropH <= 0 || inW <= 0 || inH <= 0)
        return err;
    EffectWorldPtr cropWorld = WorldSuite::newWorld(ctx.in_data, cropW, cropH, false, format);
    EffectWorldPtr sized = WorldSuite::newWorld(ctx.in_data, inW, inH, false, format);
    err = fillWorld(ctx.in_data, *cropWorld.get(), FillColor::TransparentBlack);
    if (!err)
        err = cropDepthLayer<Pixel>(ctx.host, *cropWorld.get(), depth, crop);
    if (!err)
        err = scaleWorldHq(ctx.in_data, *cropWorld.get(), {0, 0, cropW, cropH}, *sized.get(), {0, 0, inW, inH});
    if (!err) {
        CenteredCopy job{&placement, sized.get(), {0, 0, inW, inH}, ctx.rect, ctx.values.offsetX, ctx.values.offsetY};
        err = copyCentered<Pixel>(ctx.host, job);
    }
    return err;
}

} // namespace

template <class Pixel>
PF_Err buildDepthBranch(GlowRenderContext &ctx) {
    // The crop reads the Depth Layer pixel by pixel in the render's form; the host hands it in
    // that form, and anything else would be read past its rows.
    PF_PixelFormat depthFormat = PF_PixelFormat_INVALID;
    PF_Err err = WorldSuite::pixelFormat(ctx.in_data, ctx.settings.depthLayer, &depthFormat);
    if (!err && depthFormat != GlowDepth<Pixel>::format)
        err = PF_Err_BAD_CALLBACK_PARAM;
    if (err)
        return err;
    DepthCurve curve(ctx.settings.centerPosition, ctx.settings.depthBias, ctx.host.memory);
    {
        EffectWorldPtr placement =
            WorldSuite::newWorld(ctx.in_data, ctx.values.width, ctx.values.height, false, GlowDepth<Pixel>::format);
        err = placeDepthLayer<Pixel>(ctx, *placement.get());
        if (!err)
            err = buildDepthMask<Pixel>(ctx.host, *placement.get(), ctx.rect, curve.data(), ctx.depthMask);
    }
    curve.release();
    if (!err)
        err = extractDepthSource<Pixel>(ctx.host, *ctx.centeredSource.get(), ctx.depthMask, ctx.rect,
                                        ctx.values.threshold, ctx.values.thresholdSoft, ctx.settings.inputChannel,
                                        ctx.depthSource);
    if (!err)
        ctx.depthBranch = true;
    return err;
}

template PF_Err buildDepthBranch<PF_Pixel8>(GlowRenderContext &);
template PF_Err buildDepthBranch<PF_Pixel16>(GlowRenderContext &);
template PF_Err buildDepthBranch<PF_PixelFloat>(GlowRenderContext &);

} // namespace AEUtil
