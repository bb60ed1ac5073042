// Row callbacks of the mono stages; the per-pixel rules live in GlowSourceRows and
// GlowIntensityRows, this file only walks each worker's band.
#include "render/source/GlowSourceStages.h"

#include <algorithm>

#include "render/color/GlowIntensityRows.h"
#include "render/pipeline/RowBand.h"
#include "render/source/GlowSourceRows.h"

namespace AEUtil {

namespace {

template <class Pixel>
PF_Err extractRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &dst = job.glow[0];
    const ThresholdRule rule(job.threshold, job.thresholdSoft);
    const bool luminance = job.inputChannel == kInputChannelLuminance;
    // Luminance covers the plane, Alpha the rectangle; both stop at the source's edges.
    int32_t rows = luminance ? dst.height : job.rect.bottom - job.rect.top;
    int32_t cols = luminance ? dst.width : job.rect.right - job.rect.left;
    rows = std::min({rows, dst.height, job.src->height - job.rect.top});
    cols = std::min({cols, dst.width, job.src->width - job.rect.left});
    if (cols <= 0)
        return PF_Err_NONE;
    const RowBand band = rowBand(rows, count, i);
    for (int32_t y = band.begin; y < band.end; ++y) {
        const Pixel *s = worldRow<Pixel>(*job.src, job.rect.top + y) + job.rect.left;
        extractGlowSourceRow(s, cols, rule, job.inputChannel, dst.row(y));
    }
    return PF_Err_NONE;
}

PF_Err combineRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &dst = job.glow[0], &mask = job.glow[1], &source = job.glow[2];
    const RowBand band = rowBand(dst.height, count, i);
    for (int32_t y = band.begin; y < band.end; ++y)
        combineWithMaskRow(source.row(y), mask.row(y), dst.width, dst.row(y));
    return PF_Err_NONE;
}

PF_Err intensityRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &plane = job.glow[0];
    const IntensityCurve curve(job.intensity);
    const int32_t cols = std::min(job.rect.right - job.rect.left, plane.width);
    const int32_t rows = std::min(job.rect.bottom - job.rect.top, plane.height);
    if (cols <= 0)
        return PF_Err_NONE;
    const RowBand band = rowBand(rows, count, i);
    for (int32_t y = band.begin; y < band.end; ++y)
        applyIntensityCurveRow(plane.row(y), cols, curve);
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
PF_Err extractGlowSource(const StageHost &host, const PF_EffectWorld &src, const PlaneRect &rect, int32_t thr,
                         int32_t soft, A_long inputChannel, GlowPlane &dst) {
    StageJob job;
    job.src = const_cast<PF_EffectWorld *>(&src);
    job.rect = rect;
    job.threshold = thr;
    job.thresholdSoft = soft;
    job.inputChannel = inputChannel;
    job.glow[0] = dst;
    return host.run(&job, &extractRows<Pixel>);
}

template PF_Err extractGlowSource<PF_Pixel8>(const StageHost &, const PF_EffectWorld &, const PlaneRect &, int32_t,
                                             int32_t, A_long, GlowPlane &);
template PF_Err extractGlowSource<PF_Pixel16>(const StageHost &, const PF_EffectWorld &, const PlaneRect &, int32_t,
                                              int32_t, A_long, GlowPlane &);
template PF_Err extractGlowSource<PF_PixelFloat>(const StageHost &, const PF_EffectWorld &, const PlaneRect &,
                                                 int32_t, int32_t, A_long, GlowPlane &);

PF_Err combineWithMask(const StageHost &host, const GlowPlane &source, const GlowPlane &mask, GlowPlane &dst) {
    StageJob job;
    job.glow[0] = dst;
    job.glow[1] = mask;
    job.glow[2] = source;
    return host.run(&job, &combineRows);
}

PF_Err applyIntensityCurve(const StageHost &host, const PlaneRect &rect, double intensity, GlowPlane &plane) {
    StageJob job;
    job.rect = rect;
    job.intensity = intensity;
    job.glow[0] = plane;
    return host.run(&job, &intensityRows);
}

} // namespace AEUtil
