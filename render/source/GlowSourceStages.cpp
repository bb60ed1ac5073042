// The mono stages over the host's workers; the per-pixel rules live in GlowSourceRows and
// GlowIntensityRows, this file only clips each stage to its planes and worlds.
#include "render/source/GlowSourceStages.h"

#include <algorithm>
#include <type_traits>

#include "render/color/GlowIntensityRows.h"
#include "render/pipeline/WorldRows.h"
#include "render/source/GlowSourceRows.h"
#include "render/source/LuminanceLanes.h"

namespace AEUtil {

namespace {

template <class Pixel>
using ChannelOf = std::conditional_t<std::is_same_v<Pixel, PF_Pixel8>, uint8_t, uint16_t>;

} // namespace

template <class Pixel>
PF_Err extractGlowSource(const StageHost &host, const PF_EffectWorld &src, const PlaneRect &rect, int32_t thr,
                         int32_t soft, A_long inputChannel, GlowPlane &dst) {
    const ThresholdRule rule(thr, soft);
    const bool luminance = inputChannel == kInputChannelLuminance;
    // Luminance covers the plane, Alpha the rectangle; both stop at the source's edges.
    int32_t rows = luminance ? dst.height : rect.bottom - rect.top;
    int32_t cols = luminance ? dst.width : rect.right - rect.left;
    rows = std::min({rows, dst.height, src.height - rect.top});
    cols = std::min({cols, dst.width, src.width - rect.left});
    if constexpr (!std::is_same_v<Pixel, PF_PixelFloat>) {
        if (luminance) {
            const LuminanceLaneRule laneRule = luminanceLaneRule(rule);
            const LuminanceLanes lanes = luminanceLaneVariants().front().run;
            return host.runRowBands(cols > 0 ? rows : 0, [&](RowBand band) {
                for (int32_t y = band.begin; y < band.end; ++y) {
                    const auto *row = reinterpret_cast<const ChannelOf<Pixel> *>(rectRow<const Pixel>(src, rect, y));
                    if constexpr (std::is_same_v<Pixel, PF_Pixel8>)
                        lanes.run8(row, cols, laneRule, dst.row(y));
                    else
                        lanes.run16(row, cols, laneRule, dst.row(y));
                }
            });
        }
    }
    return host.runRowBands(cols > 0 ? rows : 0, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            extractGlowSourceRow(rectRow<const Pixel>(src, rect, y), cols, rule, inputChannel, dst.row(y));
    });
}

template PF_Err extractGlowSource<PF_Pixel8>(const StageHost &, const PF_EffectWorld &, const PlaneRect &, int32_t,
                                             int32_t, A_long, GlowPlane &);
template PF_Err extractGlowSource<PF_Pixel16>(const StageHost &, const PF_EffectWorld &, const PlaneRect &, int32_t,
                                              int32_t, A_long, GlowPlane &);
template PF_Err extractGlowSource<PF_PixelFloat>(const StageHost &, const PF_EffectWorld &, const PlaneRect &, int32_t,
                                                 int32_t, A_long, GlowPlane &);

PF_Err combineWithMask(const StageHost &host, const GlowPlane &source, const GlowPlane &mask, GlowPlane &dst) {
    return host.runRowBands(dst.height, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            combineWithMaskRow(source.row(y), mask.row(y), dst.width, dst.row(y));
    });
}

PF_Err applyIntensityCurve(const StageHost &host, const PlaneRect &rect, double intensity, GlowPlane &plane) {
    const IntensityCurve curve(intensity);
    const int32_t cols = std::min(rect.right - rect.left, plane.width);
    const int32_t rows = std::min(rect.bottom - rect.top, plane.height);
    return host.runRowBands(cols > 0 ? rows : 0, [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            applyIntensityCurveRow(plane.row(y), cols, curve);
    });
}

} // namespace AEUtil
