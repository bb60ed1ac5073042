// Row callbacks of un-premultiply and colour intensity; the per-pixel rules are GlowColourFinish's.
#include "render/color/ColourFinishStages.h"

#include "render/color/GlowColourFinish.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

template <class Pixel>
PF_Err unpremultiplyRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *row = worldRow<Pixel>(*job.dst, job.rect.top + y) + job.rect.left;
        for (int32_t x = 0; x < span.cols; ++x)
            unpremultiply(row[x]);
    }
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err intensityRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const ColourIntensity curve(job.intensity);
    const WorldSpan span = clipToWorlds(job.rect, job.dst);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *row = worldRow<Pixel>(*job.dst, job.rect.top + y) + job.rect.left;
        for (int32_t x = 0; x < span.cols; ++x)
            curve.apply(row[x]);
    }
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
PF_Err unpremultiplyStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect) {
    StageJob job;
    job.dst = &glow;
    job.rect = rect;
    return host.run(&job, &unpremultiplyRows<Pixel>);
}

template <class Pixel>
PF_Err colourIntensityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double intensity) {
    StageJob job;
    job.dst = &glow;
    job.rect = rect;
    job.intensity = intensity;
    return host.run(&job, &intensityRows<Pixel>);
}

template PF_Err unpremultiplyStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PlaneRect &);
template PF_Err unpremultiplyStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PlaneRect &);
template PF_Err colourIntensityStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PlaneRect &, double);
template PF_Err colourIntensityStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PlaneRect &,
                                                    double);

} // namespace AEUtil
