// Row callbacks of the depth stages; the per-pixel rules live in DepthRows, this file only
// clips each worker's band to the worlds and planes involved.
#include "render/depth/DepthStages.h"

#include <algorithm>
#include <cstring>

#include "render/depth/DepthRows.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

template <class Pixel>
const Pixel *constRow(const PF_EffectWorld &w, int32_t y) {
    return worldRow<Pixel>(w, y);
}

template <class Pixel>
PF_Err cropRows(void *refcon, A_long, A_long i, A_long count) {
    const StageJob &job = *static_cast<const StageJob *>(refcon);
    const PF_EffectWorld &crop = *job.dst, &layer = *job.src;
    const PlaneRect &r = job.rect;
    // Crop rows past the crop world are never written, so they need no band.
    const auto rows = static_cast<int32_t>(std::min<int64_t>(int64_t{r.bottom} - r.top, crop.height));
    // Columns j with 0 <= left + j < layer width, inside both the rect and the crop world.
    const auto colBegin = static_cast<int32_t>(std::clamp<int64_t>(-int64_t{r.left}, 0, crop.width));
    const auto colEnd = static_cast<int32_t>(std::min<int64_t>(
        {int64_t{r.right} - r.left, int64_t{crop.width}, int64_t{layer.width} - r.left}));
    if (colEnd <= colBegin)
        return PF_Err_NONE;
    const RowBand band = rowBand(rows, count, i);
    for (int32_t y = band.begin; y < band.end; ++y) {
        const int64_t sy = int64_t{r.top} + y;
        if (sy < 0 || sy >= layer.height)
            continue;
        const Pixel *s = constRow<Pixel>(layer, static_cast<int32_t>(sy)) + (int64_t{r.left} + colBegin);
        std::memcpy(worldRow<Pixel>(crop, y) + colBegin, s,
                    sizeof(Pixel) * static_cast<std::size_t>(colEnd - colBegin));
    }
    return PF_Err_NONE;
}

// The rect's span over `world`, further clipped to planes indexed from the rect's corner.
WorldSpan planeSpan(const PlaneRect &rect, const PF_EffectWorld *world, const GlowPlane &a, const GlowPlane &b) {
    WorldSpan s = clipToWorlds(rect, world);
    s.rows = std::min({s.rows, a.height, b.height});
    s.cols = std::min({s.cols, a.width, b.width});
    return s;
}

template <class Pixel>
PF_Err maskRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &M = job.glow[0];
    const WorldSpan span = planeSpan(job.rect, job.src, M, M);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y)
        depthMaskRow(constRow<Pixel>(*job.src, job.rect.top + y) + job.rect.left, span.cols, job.depthCurve, M.row(y));
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err sourceRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &E = job.glow[0];
    const GlowPlane &M = job.glow[2];
    const DepthSourceRule rule(job.threshold, job.thresholdSoft);
    const WorldSpan span = planeSpan(job.rect, job.src, E, M);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y)
        extractDepthSourceRow(constRow<Pixel>(*job.src, job.rect.top + y) + job.rect.left, span.cols, M.row(y), rule,
                              job.inputChannel, E.row(y));
    return PF_Err_NONE;
}

PF_Err intensityRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    GlowPlane &Gd = job.glow[0];
    const GlowPlane &M = job.glow[2];
    const DepthIntensityCurve curve(job.intensity);
    const WorldSpan span = planeSpan(job.rect, nullptr, Gd, M);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y)
        applyDepthIntensityRow(Gd.row(y), M.row(y), span.cols, curve);
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
PF_Err cropDepthLayer(const StageHost &host, PF_EffectWorld &crop, const PF_EffectWorld &depthLayer,
                      const PlaneRect &cropRect) {
    StageJob job;
    job.dst = &crop;
    job.src = const_cast<PF_EffectWorld *>(&depthLayer);
    job.rect = cropRect;
    return host.run(&job, &cropRows<Pixel>);
}

template <class Pixel>
PF_Err buildDepthMask(const StageHost &host, const PF_EffectWorld &placement, const PlaneRect &rect,
                      const uint16_t *curve, GlowPlane &M) {
    if (!curve)
        return PF_Err_BAD_CALLBACK_PARAM; // before the clear, so M keeps what it held
    M.clear();
    StageJob job;
    job.src = const_cast<PF_EffectWorld *>(&placement);
    job.rect = rect;
    job.depthCurve = curve;
    job.glow[0] = M;
    return host.run(&job, &maskRows<Pixel>);
}

template <class Pixel>
PF_Err extractDepthSource(const StageHost &host, const PF_EffectWorld &src, const GlowPlane &M,
                          const PlaneRect &rect, int32_t thr, int32_t soft, A_long inputChannel, GlowPlane &E) {
    StageJob job;
    job.src = const_cast<PF_EffectWorld *>(&src);
    job.rect = rect;
    job.threshold = thr;
    job.thresholdSoft = soft;
    job.inputChannel = inputChannel;
    job.glow[0] = E;
    job.glow[2] = M;
    return host.run(&job, &sourceRows<Pixel>);
}

PF_Err applyDepthIntensityCurve(const StageHost &host, const GlowPlane &M, const PlaneRect &rect, double intensity,
                                GlowPlane &Gd) {
    StageJob job;
    job.rect = rect;
    job.intensity = intensity;
    job.glow[0] = Gd;
    job.glow[2] = M;
    return host.run(&job, &intensityRows);
}

#define LUMORA_DEPTH_STAGES(Pixel)                                                                                    \
    template PF_Err cropDepthLayer<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,               \
                                          const PlaneRect &);                                                          \
    template PF_Err buildDepthMask<Pixel>(const StageHost &, const PF_EffectWorld &, const PlaneRect &,              \
                                          const uint16_t *, GlowPlane &);                                              \
    template PF_Err extractDepthSource<Pixel>(const StageHost &, const PF_EffectWorld &, const GlowPlane &,          \
                                              const PlaneRect &, int32_t, int32_t, A_long, GlowPlane &);

LUMORA_DEPTH_STAGES(PF_Pixel8)
LUMORA_DEPTH_STAGES(PF_Pixel16)
LUMORA_DEPTH_STAGES(PF_PixelFloat)

#undef LUMORA_DEPTH_STAGES

} // namespace AEUtil
