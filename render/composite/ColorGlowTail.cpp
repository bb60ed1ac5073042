#include "render/composite/ColorGlowTail.h"

#include <type_traits>
#include <vector>

#include "render/color/GlowColorFinish.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/WorldRows.h"
#include "render/source/FormatConvert.h"

namespace AEUtil {

namespace {

template <class Pixel>
using WideOf = std::conditional_t<std::is_same_v<Pixel, PF_PixelFloat>, PF_PixelFloat, PF_Pixel16>;

// What every pixel of the tail shares; 16 bits: the curve of every channel value, read off
// one lit pixel per value (the curve maps every channel of a lit pixel alike).
struct TailLook {
    ColorIntensity curve{1.0};
    std::vector<A_u_short> curve16;
};

template <class Pixel>
void finishPixel(const TailLook &job, WideOf<Pixel> p, Pixel &out) {
    unpremultiply(p);
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
        job.curve.apply(p);
        out = p;
    } else {
        if (p.alpha != 0) {
            const A_u_short *t = job.curve16.data();
            p = {t[p.alpha], t[p.red], t[p.green], t[p.blue]};
        }
        if constexpr (std::is_same_v<Pixel, PF_Pixel8>)
            out = {reduceChannel(p.alpha), reduceChannel(p.red), reduceChannel(p.green), reduceChannel(p.blue)};
        else
            out = p;
    }
}

} // namespace

template <class Pixel>
PF_Err colorGlowTailStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                          const PlaneRect &rect, const ColorGlowFinish &finish) {
    TailLook look{ColorIntensity(finish.intensity), {}};
    if constexpr (!std::is_same_v<Pixel, PF_PixelFloat>) {
        look.curve16.resize(65536);
        const PF_Err err = host.runRowBands(65536, [&](RowBand band) {
            for (int32_t v = band.begin; v < band.end; ++v) {
                PF_Pixel16 p{1, static_cast<A_u_short>(v), 0, 0};
                look.curve.apply(p);
                look.curve16[static_cast<std::size_t>(v)] = p.red;
            }
        });
        if (err)
            return err;
    }
    const A_long mode = blendKernelMode(finish.blendMode);
    const WorldSpan span = clipToWorlds(rect, &output, &glow);
    return host.runRowBands(span.bandRows(), [&](RowBand band) -> PF_Err {
        std::vector<Pixel> row;
        try {
            row.resize(static_cast<std::size_t>(span.cols));
        } catch (const std::bad_alloc &) {
            return PF_Err_OUT_OF_MEMORY;
        }
        for (int32_t y = band.begin; y < band.end; ++y) {
            const WideOf<Pixel> *in = rectRow<const WideOf<Pixel>>(glow, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                finishPixel(look, in[x], row[static_cast<std::size_t>(x)]);
            if (finish.opacityRuns)
                applyOpacityRow(row.data(), span.cols, finish.opacity);
            compositeRowByView(rectRow<Pixel>(output, rect, y), row.data(), span.cols, mode, finish.view);
        }
        return PF_Err_NONE;
    });
}

template PF_Err colorGlowTailStage<PF_Pixel8>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                              const PlaneRect &, const ColorGlowFinish &);
template PF_Err colorGlowTailStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                               const PlaneRect &, const ColorGlowFinish &);
template PF_Err colorGlowTailStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                                  const PlaneRect &, const ColorGlowFinish &);

} // namespace AEUtil
