#include "render/composite/NormalGlowTail.h"

#include "render/color/GlowIntensityRows.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

void colorOne(PF_Pixel8 &out, uint16_t v, const ColorizeSettings &s) { colorizeRow(&out, &v, 1, s); }
template <class Pixel>
void colorOne(Pixel &out, uint16_t v, const ColorizeSettings &s) {
    colorizeRow(&out, nullptr, &v, nullptr, 1, s);
}

} // namespace

template <class Pixel>
PF_Err buildNormalGlowTables(const StageHost &host, const NormalGlowLook &look, A_long blendMode,
                             NormalGlowTables<Pixel> &tables) {
    if (!look.coloring.gradient)
        return PF_Err_BAD_CALLBACK_PARAM;
    tables.glow.resize(kGlowValues);
    tables.overClear.resize(kGlowValues);
    const A_long mode = blendKernelMode(blendMode);
    const IntensityCurve curve(look.intensity);
    return host.runRowBands(static_cast<int32_t>(kGlowValues), [&](RowBand band) {
        // Each call samples its own copy of the gradient.
        const ColorFlagList gradient = *look.coloring.gradient;
        ColorizeSettings coloring = look.coloring;
        coloring.gradient = &gradient;
        Pixel *glow = tables.glow.data() + band.begin;
        const auto size = static_cast<std::size_t>(band.end - band.begin);
        for (std::size_t k = 0; k < size; ++k) {
            glow[k] = Pixel{};
            const uint16_t curved = curve.apply(static_cast<uint16_t>(static_cast<std::size_t>(band.begin) + k));
            if (curved != 0)
                colorOne(glow[k], curved, coloring);
        }
        if (look.opacityRuns)
            applyOpacityRow(glow, static_cast<A_long>(size), look.opacity);
        compositeOverClear(glow, size, mode, tables.overClear.data() + band.begin);
    });
}

template <class Pixel>
PF_Err normalGlowTailStage(const StageHost &host, PF_EffectWorld &output, const GlowPlane &glow,
                           const NormalGlowTables<Pixel> &tables, const PlaneRect &rect, A_long blendMode,
                           A_long view) {
    if (tables.glow.size() != kGlowValues)
        return PF_Err_BAD_CALLBACK_PARAM;
    const Pixel *table = tables.glow.data();
    const Pixel *overClear = tables.overClear.size() == kGlowValues ? tables.overClear.data() : nullptr;
    const A_long mode = blendKernelMode(blendMode);
    WorldSpan span = clipToWorlds(rect, &output);
    span.rows = std::min(span.rows, glow.height);
    span.cols = std::min(span.cols, glow.width);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            Pixel *out = rectRow<Pixel>(output, rect, y);
            const uint16_t *g = glow.row(y);
            if (view == kViewNormal) {
                compositeRowFast(out, g, table, overClear, span.cols, mode);
            } else if (view == kViewExtract) {
                for (int32_t x = 0; x < span.cols; ++x)
                    out[x] = table[g[x]];
            } else {
                for (int32_t x = 0; x < span.cols; ++x)
                    thresholdViewPixel(out[x], table[g[x]]);
            }
        }
    });
}

#define LUMORA_NORMAL_GLOW_TAIL(Pixel)                                                                                 \
    template PF_Err buildNormalGlowTables<Pixel>(const StageHost &, const NormalGlowLook &, A_long,                    \
                                                 NormalGlowTables<Pixel> &);                                           \
    template PF_Err normalGlowTailStage<Pixel>(const StageHost &, PF_EffectWorld &, const GlowPlane &,                 \
                                               const NormalGlowTables<Pixel> &, const PlaneRect &, A_long, A_long);
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel8)
LUMORA_NORMAL_GLOW_TAIL(PF_Pixel16)
LUMORA_NORMAL_GLOW_TAIL(PF_PixelFloat)
#undef LUMORA_NORMAL_GLOW_TAIL

} // namespace AEUtil
