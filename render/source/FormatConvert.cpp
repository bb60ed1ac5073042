// Row callbacks of the two conversions.
#include "render/source/FormatConvert.h"

#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

PF_Err expandRows(void *refcon, A_long, A_long i, A_long count) {
    const ConvertJob &job = *static_cast<const ConvertJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst, job.src);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y) {
        const PF_Pixel8 *s = worldRow<PF_Pixel8>(*job.src, job.rect.top + y) + job.rect.left;
        PF_Pixel16 *d = worldRow<PF_Pixel16>(*job.dst, job.rect.top + y) + job.rect.left;
        for (int32_t x = 0; x < span.cols; ++x)
            d[x] = {expandChannel(s[x].alpha), expandChannel(s[x].red), expandChannel(s[x].green),
                    expandChannel(s[x].blue)};
    }
    return PF_Err_NONE;
}

PF_Err reduceRows(void *refcon, A_long, A_long i, A_long count) {
    const ConvertJob &job = *static_cast<const ConvertJob *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.dst, job.src);
    const RowBand band = worldBand(span, i, count);
    for (int32_t y = band.begin; y < band.end; ++y) {
        const PF_Pixel16 *s = worldRow<PF_Pixel16>(*job.src, job.rect.top + y) + job.rect.left;
        PF_Pixel8 *d = worldRow<PF_Pixel8>(*job.dst, job.rect.top + y) + job.rect.left;
        for (int32_t x = 0; x < span.cols; ++x)
            d[x] = {reduceChannel(s[x].alpha), reduceChannel(s[x].red), reduceChannel(s[x].green),
                    reduceChannel(s[x].blue)};
    }
    return PF_Err_NONE;
}

PF_Err convert(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect,
               StageCallback fn) {
    ConvertJob job;
    job.dst = &dst;
    job.src = &src;
    job.rect = rect;
    return host.run(&job, fn);
}

} // namespace

PF_Err expandTo16(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    return convert(host, dst, src, rect, &expandRows);
}

PF_Err reduceTo8(const StageHost &host, PF_EffectWorld &dst, const PF_EffectWorld &src, const PlaneRect &rect) {
    return convert(host, dst, src, rect, &reduceRows);
}

} // namespace AEUtil
