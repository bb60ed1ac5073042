// The depth stages over the host's workers; the per-pixel rules live in DepthRows, this file
// only clips each stage to the worlds and planes involved.
#include "render/depth/DepthStages.h"

#include <algorithm>
#include <cstring>

#include "render/depth/DepthRows.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

// The rect's span over `world`, further clipped to planes indexed from the rect's corner.
WorldSpan planeSpan(const PlaneRect &rect, const PF_EffectWorld *world, const GlowPlane &a, const GlowPlane &b) {
    WorldSpan s = clipToWorlds(rect, world);
    s.rows = std::min({s.rows, a.height, b.height});
    s.cols = std::min({s.cols, a.width, b.width});
    return s;
}

} // namespace

template <class Pixel>
PF_Err cropDepthLayer(const StageHost &host, PF_EffectWorld &crop, const PF_EffectWorld &depthLayer,
                      const PlaneRect &cropRect) {
    const PlaneRect &r = cropRect;
    // Crop rows past the crop world are never written, so they need no band.
    const auto rows = static_cast<int32_t>(std::min<int64_t>(int64_t{r.bottom} - r.top, crop.height));
    // Columns j with 0 <= left + j < layer width, inside both the rect and the crop world.
    const auto colBegin = static_cast<int32_t>(std::clamp<int64_t>(-int64_t{r.left}, 0, crop.width));
    const auto colEnd = static_cast<int32_t>(
        std::min<int64_t>({int64_t{r.right} - r.left, int64_t{crop.width}, int64_t{depthLayer.width} - r.left}));
    return host.runRowBands(colEnd > colBegin ? rows : 0, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            const int64_t sy = int64_t{r.top} + y;
            if (sy < 0 || sy >= depthLayer.height)
                continue;
            const Pixel *s = worldRow<const Pixel>(depthLayer, static_cast<int32_t>(sy)) + (int64_t{r.left} + colBegin);
            std::memcpy(worldRow<Pixel>(crop, y) + colBegin, s,
                        sizeof(Pixel) * static_cast<std::size_t>(colEnd - colBegin));
        }
    });
}

template <class Pixel>
PF_Err buildDepthMask(const StageHost &host, const PF_EffectWorld &placement, const PlaneRect &rect,
                      const uint16_t *curve, GlowPlane &M) {
    if (!curve)
        return PF_Err_BAD_CALLBACK_PARAM; // before the clear, so M keeps what it held
    M.clear();
    const WorldSpan span = planeSpan(rect, &placement, M, M);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            depthMaskRow(rectRow<const Pixel>(placement, rect, y), span.cols, curve, M.row(y));
    });
}

template <class Pixel>
PF_Err extractDepthSource(const StageHost &host, const PF_EffectWorld &src, const GlowPlane &M, const PlaneRect &rect,
                          int32_t thr, int32_t soft, A_long inputChannel, GlowPlane &E) {
    const DepthSourceRule rule(thr, soft);
    const WorldSpan span = planeSpan(rect, &src, E, M);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            extractDepthSourceRow(rectRow<const Pixel>(src, rect, y), span.cols, M.row(y), rule, inputChannel,
                                  E.row(y));
    });
}

PF_Err applyDepthIntensityCurve(const StageHost &host, const GlowPlane &M, const PlaneRect &rect, double intensity,
                                GlowPlane &Gd) {
    const DepthIntensityCurve curve(intensity);
    const WorldSpan span = planeSpan(rect, nullptr, Gd, M);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            applyDepthIntensityRow(Gd.row(y), M.row(y), span.cols, curve);
    });
}

#define LUMORA_DEPTH_STAGES(Pixel)                                                                                     \
    template PF_Err cropDepthLayer<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,                 \
                                          const PlaneRect &);                                                          \
    template PF_Err buildDepthMask<Pixel>(const StageHost &, const PF_EffectWorld &, const PlaneRect &,                \
                                          const uint16_t *, GlowPlane &);                                              \
    template PF_Err extractDepthSource<Pixel>(const StageHost &, const PF_EffectWorld &, const GlowPlane &,            \
                                              const PlaneRect &, int32_t, int32_t, A_long, GlowPlane &);

LUMORA_DEPTH_STAGES(PF_Pixel8)
LUMORA_DEPTH_STAGES(PF_Pixel16)
LUMORA_DEPTH_STAGES(PF_PixelFloat)

#undef LUMORA_DEPTH_STAGES

} // namespace AEUtil
