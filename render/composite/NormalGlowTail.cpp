#include "render/composite/NormalGlowTail.h"

#include "render/color/GlowIntensityRows.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/RowBand.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

void colourOne(PF_Pixel8 &out, uint16_t v, const ColouriseSettings &s) { colouriseRow(&out, &v, 1, s); }
template <class Pixel>
void colourOne(Pixel &out, uint16_t v, const ColouriseSettings &s) {
    colouriseRow(&out, nullptr, &v, nullptr, 1, s);
}

template <class Pixel>
struct TableJob {
    const NormalGlowLook *look = nullptr;
    A_long mode = 0;
    NormalGlowTables<Pixel> *tables = nullptr;
};

template <class Pixel>
PF_Err tableBand(void *refcon, A_long, A_long i, A_long count) {
    const TableJob<Pixel> &job = *static_cast<const TableJob<Pixel> *>(refcon);
    const RowBand band = rowBand(static_cast<int32_t>(kGlowValues), count, i);
    if (band.end <= band.begin)
        return PF_Err_NONE;
    // Each call samples its own copy of the gradient.
    const ColorFlagList gradient = *job.look->colouring.gradient;
    ColouriseSettings colouring = job.look->colouring;
    colouring.gradient = &gradient;
    const IntensityCurve curve(job.look->intensity);
    Pixel *glow = job.tables->glow.data() + band.begin;
    const auto size = static_cast<std::size_t>(band.end - band.begin);
    for (std::size_t k = 0; k < size; ++k) {
        glow[k] = Pixel{};
        const uint16_t curved = curve.apply(static_cast<uint16_t>(static_cast<std::size_t>(band.begin) + k));
        if (curved != 0)
            colourOne(glow[k], curved, colouring);
    }
    if (job.look->opacityRuns)
        applyOpacityRow(glow, static_cast<A_long>(size), job.look->opacity);
    compositeOverClear(glow, size, job.mode, job.tables->overClear.data() + band.begin);
    return PF_Err_NONE;
}

template <class Pixel>
struct TailJob {
    PF_EffectWorld *output = nullptr;
    const GlowPlane *glow = nullptr;
    const Pixel *table = nullptr;
    const Pixel *overClear = nullptr;
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
            compositeRowFast(out, g, table, job.overClear, span.cols, job.mode);
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
PF_Err buildNormalGlowTables(const StageHost &host, const NormalGlowLook &look, A_long blendMode,
                             NormalGlowTables<Pixel> &tables) {
    if (!look.colouring.gradient)
        return PF_Err_BAD_CALLBACK_PARAM;
    tables.glow.resize(kGlowValues);
    tables.overClear.resize(kGlowValues);
    TableJob<Pixel> job{&look, blendKernelMode(blendMode), &tables};
    return host.run(&job, &tableBand<Pixel>);
}

template <class Pixel>
PF_Err normalGlowTailStage(const StageHost &host, PF_EffectWorld &output, const GlowPlane &glow,
                           const NormalGlowTables<Pixel> &tables, const PlaneRect &rect, A_long blendMode,
                           A_long view) {
    if (tables.glow.size() != kGlowValues)
        return PF_Err_BAD_CALLBACK_PARAM;
    const Pixel *overClear = tables.overClear.size() == kGlowValues ? tables.overClear.data() : nullptr;
    TailJob<Pixel> job{&output, &glow, tables.glow.data(), overClear, rect, blendKernelMode(blendMode), view};
    return host.run(&job, &tailRows<Pixel>);
}

#define LUMORA_NORMAL_GLOW_TAIL(Pixel)                                                                         \
    template PF_Err buildNormalGlowTables<Pixel>(const StageHost &, const NormalGlowLook &, A_long,           \
                                                 NormalGlowTables<Pixel> &);                                   \
    template PF_Err normalGlowTailStage<Pixel>(const StageHost &, PF_EffectWorld &, const GlowPlane &,          \
                                               const NormalGlowTables<Pixel> &, const PlaneRect &, A_long,     \
                                               A_long);
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel8)
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel16)
LUMORA_NORMAL_GLOW_TAIL(PF_PixelFloat)
#undef LUMORA_NORMAL_GLOW_TAIL

} // namespace AEUtil
