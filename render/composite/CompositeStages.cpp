// Row callbacks of the merge, opacity and final composite; per-pixel rules are PixelComposite's
// and GlowColourFinish's. The kernel mode is resolved once per worker call, not per pixel.
#include "render/composite/CompositeStages.h"

#include <cstring>

#include "render/color/GlowColourFinish.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

template <class Pixel>
Pixel *rectRow(const PF_EffectWorld &w, const PlaneRect &rect, int32_t y) {
    return worldRow<Pixel>(w, rect.top + y) + rect.left;
}

template <class Pixel>
PF_Err mergeRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst, job.src);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *main = rectRow<Pixel>(*job.dst, job.rect, y);
        const Pixel *depth = rectRow<Pixel>(*job.src, job.rect, y);
        for (int32_t x = 0; x < span.cols; ++x)
            mergeDepthGlow(main[x], depth[x]);
    }
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err opacityRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y)
        applyOpacityRow(rectRow<Pixel>(*job.dst, job.rect, y), span.cols, job.opacity);
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err compositeRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst, job.src);
    const RowBand band = worldBand(span, i, count);
    const A_long mode = blendKernelMode(job.blendMode);
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *out = rectRow<Pixel>(*job.dst, job.rect, y);
        const Pixel *glow = rectRow<Pixel>(*job.src, job.rect, y);
        compositeRowByView(out, glow, span.cols, mode, job.view);
    }
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
void compositeRowByView(Pixel *out, const Pixel *glow, int32_t cols, A_long mode, A_long view) {
    if (view == kViewNormal) {
        compositeRowFast(out, glow, cols, mode);
    } else if (view == kViewExtract) {
        std::memcpy(out, glow, sizeof(Pixel) * static_cast<std::size_t>(cols));
    } else {
        for (int32_t x = 0; x < cols; ++x)
            thresholdViewPixel(out[x], glow[x]);
    }
}

template <class Pixel>
PF_Err depthGlowMergeStage(const StageHost &host, PF_EffectWorld &main, const PF_EffectWorld &depth,
                           const PlaneRect &rect) {
    StageJob job;
    job.dst = &main;
    job.src = const_cast<PF_EffectWorld *>(&depth);
    job.rect = rect;
    return host.run(&job, &mergeRows<Pixel>);
}

template <class Pixel>
PF_Err opacityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double opacity) {
    StageJob job;
    job.dst = &glow;
    job.rect = rect;
    job.opacity = opacity;
    return host.run(&job, &opacityRows<Pixel>);
}

template <class Pixel>
PF_Err finalCompositeStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                           const PlaneRect &rect, A_long blendMode, A_long view) {
    StageJob job;
    job.dst = &output;
    job.src = const_cast<PF_EffectWorld *>(&glow);
    job.rect = rect;
    job.blendMode = blendMode;
    job.view = view;
    return host.run(&job, &compositeRows<Pixel>);
}

#define LUMORA_COMPOSITE_STAGES(Pixel)                                                                       \
    template void compositeRowByView<Pixel>(Pixel *, const Pixel *, int32_t, A_long, A_long);                \
    template PF_Err depthGlowMergeStage<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,   \
                                               const PlaneRect &);                                             \
    template PF_Err opacityStage<Pixel>(const StageHost &, PF_EffectWorld &, const PlaneRect &, double);       \
    template PF_Err finalCompositeStage<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,   \
                                               const PlaneRect &, A_long, A_long);
LUMORA_COMPOSITE_STAGES(PF_Pixel8)
LUMORA_COMPOSITE_STAGES(PF_Pixel16)
LUMORA_COMPOSITE_STAGES(PF_PixelFloat)
#undef LUMORA_COMPOSITE_STAGES

} // namespace AEUtil
