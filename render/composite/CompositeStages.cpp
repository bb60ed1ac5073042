// The merge, opacity and final composite over the host's workers; per-pixel rules are
// PixelComposite's, CompositeRows' and GlowColorFinish's.
#include "render/composite/CompositeStages.h"

#include <cstring>

#include "render/color/GlowColorFinish.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/CompositeRows.h"
#include "render/composite/PixelComposite.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

template <class Pixel>
void compositeRowByView(Pixel *out, const Pixel *glow, int32_t cols, A_long mode, A_long view) {
    if (view == kViewNormal) {
        compositeRowFast(out, glow, cols, mode);
    } else if (view == kViewExtract) {
        std::memcpy(out, glow, sizeof(Pixel) * static_cast<std::size_t>(cols));
    } else {
        for (int32_t x = 0; x < cols; ++x)
            thresholdViewPixel(out[x], glow[x]);
    }
}

template <class Pixel>
PF_Err depthGlowMergeStage(const StageHost &host, PF_EffectWorld &main, const PF_EffectWorld &depth,
                           const PlaneRect &rect) {
    const WorldSpan span = clipToWorlds(rect, &main, &depth);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y) {
            Pixel *m = rectRow<Pixel>(main, rect, y);
            const Pixel *d = rectRow<const Pixel>(depth, rect, y);
            for (int32_t x = 0; x < span.cols; ++x)
                mergeDepthGlow(m[x], d[x]);
        }
    });
}

template <class Pixel>
PF_Err opacityStage(const StageHost &host, PF_EffectWorld &glow, const PlaneRect &rect, double opacity) {
    const WorldSpan span = clipToWorlds(rect, &glow);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            applyOpacityRow(rectRow<Pixel>(glow, rect, y), span.cols, opacity);
    });
}

// The kernel mode is resolved once per stage, not per pixel.
template <class Pixel>
PF_Err finalCompositeStage(const StageHost &host, PF_EffectWorld &output, const PF_EffectWorld &glow,
                           const PlaneRect &rect, A_long blendMode, A_long view) {
    const WorldSpan span = clipToWorlds(rect, &output, &glow);
    const A_long mode = blendKernelMode(blendMode);
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        for (int32_t y = band.begin; y < band.end; ++y)
            compositeRowByView(rectRow<Pixel>(output, rect, y), rectRow<const Pixel>(glow, rect, y), span.cols, mode,
                               view);
    });
}

#define LUMORA_COMPOSITE_STAGES(Pixel)                                                                                 \
    template void compositeRowByView<Pixel>(Pixel *, const Pixel *, int32_t, A_long, A_long);                          \
    template PF_Err depthGlowMergeStage<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,            \
                                               const PlaneRect &);                                                     \
    template PF_Err opacityStage<Pixel>(const StageHost &, PF_EffectWorld &, const PlaneRect &, double);               \
    template PF_Err finalCompositeStage<Pixel>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld &,            \
                                               const PlaneRect &, A_long, A_long);
LUMORA_COMPOSITE_STAGES(PF_Pixel8)
LUMORA_COMPOSITE_STAGES(PF_Pixel16)
LUMORA_COMPOSITE_STAGES(PF_PixelFloat)
#undef LUMORA_COMPOSITE_STAGES

} // namespace AEUtil
