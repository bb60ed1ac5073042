// The two conversions over the host's workers.
#include "render/source/FormatConvert.h"

#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

// Every channel of the rect's pixels through `channel`, from a world of From to one of To.
template <class From, class To, class Channel>
PF_Err convertRect(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect,
                   Channel channel) {
    const WorldSpan span = clipToWorlds(rect, &dst, &src);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            const From *s = rectRow<const From>(src, rect, y);
            To *d = rectRow<To>(dst, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                d[x] = {channel(s[x].alpha), channel(s[x].red), channel(s[x].green), channel(s[x].blue)};
        }
    });
}

} // namespace

PF_Err expandTo16(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    return convertRect<PF_Pixel8, PF_Pixel16>(host, dst, src, rect, [](A_u_char c) { return expandChannel(c); });
}

PF_Err reduceTo8(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    return convertRect<PF_Pixel16, PF_Pixel8>(host, dst, src, rect, [](A_u_short c) { return reduceChannel(c); });
}

} // namespace AEUtil
