#include "render/composite/ColorGlowTail.h"

#include <type_traits>
#include <vector>

#include "render/color/GlowColourFinish.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/CompositeStages.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/RowBand.h"
#include "render/pipeline/WorldRows.h"
#include "render/source/FormatConvert.h"

namespace AEUtil {

namespace {

template <class Pixel>
using WideOf = std::conditional_t<std::is_same_v<Pixel, PF_PixelFloat>, PF_PixelFloat, PF_Pixel16>;

template <class Pixel>
struct TailJob {
    PF_EffectWorld *output = nullptr;
    const PF_EffectWorld *glow = nullptr;
    PlaneRect rect;
    ColorGlowFinish finish;
    A_long mode = 0;
    ColourIntensity curve{1.0};
    std::vector<A_u_short> curve16; // 16 bits: the curve of every channel value
};

// The curve maps every channel of a lit pixel alike, so one lit pixel per value reads it off.
template <class Pixel>
PF_Err curveBand(void *refcon, A_long, A_long i, A_long count) {
    auto &job = *static_cast<TailJob<Pixel> *>(refcon);
    const RowBand band = rowBand(static_cast<int32_t>(job.curve16.size()), count, i);
    for (int32_t v = band.begin; v < band.end; ++v) {
        PF_Pixel16 p{1, static_cast<A_u_short>(v), 0, 0};
        job.curve.apply(p);
        job.curve16[static_cast<std::size_t>(v)] = p.red;
    }
    return PF_Err_NONE;
}

template <class Pixel>
void finishPixel(const TailJob<Pixel> &job, WideOf<Pixel> p, Pixel &out) {
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

template <class Pixel>
PF_Err tailRows(void *refcon, A_long, A_long i, A_long count) {
    const TailJob<Pixel> &job = *static_cast<const TailJob<Pixel> *>(refcon);
    const WorldSpan span = clipToWorlds(job.rect, job.output, job.glow);
    const RowBand band = worldBand(span, i, count);
    if (band.end <= band.begin)
        return PF_Err_NONE;
    std::vector<Pixel> glow;
    try {
        glow.resize(static_cast<std::size_t>(span.cols));
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    }
    for (int32_t y = band.begin; y < band.end; ++y) {
        const WideOf<Pixel> *in = worldRow<WideOf<Pixel>>(*job.glow, job.rect.top + y) + job.rect.left;
        Pixel *out = worldRow<Pixel>(*job.output, job.rect.top + y) + job.rect.left;
        for (int32_t x = 0; x < span.cols; ++x)
            finishPixel(job, in[x], glow[static_cast<std::size_t>(x)]);
        if (job.finish.opacityRuns)
            applyOpacityRow(glow.data(), span.cols, job.finish.opacity);
        compositeRowByView(out, glow.data(), span.cols, job.mode, job.finish.view);
    }
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
PF_Err colorGlowTailStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                          const PlaneRect &rect, const ColorGlowFinish &finish) {
    TailJob<Pixel> job{&output, &glow, rect, finish, blendKernelMode(finish.blendMode),
                       ColourIntensity(finish.intensity), {}};
    if constexpr (!std::is_same_v<Pixel, PF_PixelFloat>) {
        job.curve16.resize(65536);
        if (const PF_Err err = host.run(&job, &curveBand<Pixel>))
            return err;
    }
    return host.run(&job, &tailRows<Pixel>);
}

template PF_Err colorGlowTailStage<PF_Pixel8>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                              const PlaneRect &, const ColorGlowFinish &);
template PF_Err colorGlowTailStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                               const PlaneRect &, const ColorGlowFinish &);
template PF_Err colorGlowTailStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,
                                                  const PlaneRect &, const ColorGlowFinish &);

} // namespace AEUtil
