#include "render/composite/NormalGlowTail.h"

#include <type_traits>

#include "render/BlendModeTable.h"
#include "render/CompositeStages.h"
#include "render/GlowIntensityRows.h"
#include "render/PixelComposite.h"
#include "render/WorldRows.h"
#include "render/composite/CompositeRows.h"

namespace AEUtil {

namespace {

void colourOne(PF_Pixel8 &out, uint16_t v, const ColouriseSettings &s) { colouriseRow(&out, &v, 1, s); }
template <class Pixel>
void colourOne(Pixel &out, uint16_t v, const ColouriseSettings &s) {
    colouriseRow(&out, nullptr, &v, nullptr, 1, s);
}

template <class Pixel>
struct TailJob {
    PF_EffectWorld *output = nullptr;
    const GlowPlane *glow = nullptr;
    const Pixel *table = nullptr;
    PlaneRect rect;
    A_long mode = 0;
    A_long view = 0;
};

template <class Pixel>
PF_Err tailRows(void *refcon, A_long, A_long i, A_long count) {
    const TailJob<Pixel> &job = *static_cast<const TailJob<Pixel> *>(refcon);
    WorldSpan span = clipToWorlds(job.rect, job.output);
    span.rows = std::min(span.rows, job.glow->height);
    span.cols = std::min(span.cols, job.glow->width);
    const RowBand band = worldBand(span, i, count);
    const Pixel *table = job.table;
    for (int32_t y = band.begin; y < band.end; ++y) {
        Pixel *out = worldRow<Pixel>(*job.output, job.rect.top + y) + job.rect.left;
        const uint16_t *g = job.glow->row(y);
        if (job.view == kViewNormal) {
            if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
                for (int32_t x = 0; x < span.cols; ++x)
                    compositePixel(out[x], table[g[x]], job.mode);
            } else {
                compositeRowFast(out, g, table, span.cols, job.mode);
            }
        } else if (job.view == kViewExtract) {
            for (int32_t x = 0; x < span.cols; ++x)
                out[x] = table[g[x]];
        } else {
            for (int32_t x = 0; x < span.cols; ++x)
                thresholdViewPixel(out[x], table[g[x]]);
        }
    }
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
void buildNormalGlowTable(const NormalGlowLook &look, std::vector<Pixel> &table) {
    table.assign(kGlowValues, Pixel{});
    const IntensityCurve curve(look.intensity);
    for (std::size_t v = 1; v < kGlowValues; ++v) {
        const uint16_t curved = curve.apply(static_cast<uint16_t>(v));
        if (curved != 0)
            colourOne(table[v], curved, look.colouring);
    }
    if (look.opacityRuns)
        applyOpacityRow(table.data(), static_cast<A_long>(table.size()), look.opacity);
}

template <class Pixel>
PF_Err normalGlowTailStage(const StageHost &host, PF_EffectWorld &output, const GlowPlane &glow,
                           const std::vector<Pixel> &table, const PlaneRect &rect, A_long blendMode, A_long view) {
    if (table.size() != kGlowValues)
        return PF_Err_BAD_CALLBACK_PARAM;
    TailJob<Pixel> job{&output, &glow, table.data(), rect, blendKernelMode(blendMode), view};
    return host.run(&job, &tailRows<Pixel>);
}

#define LUMORA_NORMAL_GLOW_TAIL(Pixel)                                                                         \
    template void buildNormalGlowTable<Pixel>(const NormalGlowLook &, std::vector<Pixel> &);                  \
    template PF_Err normalGlowTailStage<Pixel>(const StageHost &, PF_EffectWorld &, const GlowPlane &,          \
                                               const std::vector<Pixel> &, const PlaneRect &, A_long, A_long);
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel8)
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel16)
LUMORA_NORMAL_GLOW_TAIL(PF_PixelFloat)
#undef LUMORA_NORMAL_GLOW_TAIL

} // namespace AEUtil
