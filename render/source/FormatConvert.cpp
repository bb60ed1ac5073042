// The two conversions over the host's workers.
#include "render/source/FormatConvert.h"

#include "render/pipeline/WorldRows.h"

namespace AEUtil {

PF_Err expandTo16(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    const WorldSpan span = clipToWorlds(rect, &dst, &src);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            const PF_Pixel8 *s = rectRow<const PF_Pixel8>(src, rect, y);
            PF_Pixel16 *d = rectRow<PF_Pixel16>(dst, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                d[x] = {expandChannel(s[x].alpha), expandChannel(s[x].red), expandChannel(s[x].green),
                        expandChannel(s[x].blue)};
        }
    });
}

PF_Err reduceTo8(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    const WorldSpan span = clipToWorlds(rect, &dst, &src);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            const PF_Pixel16 *s = rectRow<const PF_Pixel16>(src, rect, y);
            PF_Pixel8 *d = rectRow<PF_Pixel8>(dst, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                d[x] = {reduceChannel(s[x].alpha), reduceChannel(s[x].red), reduceChannel(s[x].green),
                        reduceChannel(s[x].blue)};
        }
    });
}

} // namespace AEUtil
