// Un-premultiply and colour intensity over the host's workers; the per-pixel rules are GlowColorFinish's.
#include "render/color/ColorFinishStages.h"

#include "render/color/GlowColorFinish.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

template <class Pixel>
PF_Err unpremultiplyStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect) {
    const WorldSpan span = clipToWorlds(rect, &glow);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            Pixel *row = rectRow<Pixel>(glow, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                unpremultiply(row[x]);
        }
    });
}

template <class Pixel>
PF_Err colorIntensityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double intensity) {
    const ColorIntensity curve(intensity);
    const WorldSpan span = clipToWorlds(rect, &glow);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            Pixel *row = rectRow<Pixel>(glow, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                curve.apply(row[x]);
        }
    });
}

template PF_Err unpremultiplyStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PlaneRect &);
template PF_Err unpremultiplyStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PlaneRect &);
template PF_Err colorIntensityStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PlaneRect &, double);
template PF_Err colorIntensityStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PlaneRect &, double);

} // namespace AEUtil
