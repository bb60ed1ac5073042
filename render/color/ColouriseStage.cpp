// Row callbacks of Colourise and the single call of the angle map.
#include "render/color/ColouriseStage.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "host/AEException.h"
#include "render/color/AngleMap.h"
#include "render/pipeline/RowBand.h"

namespace AEUtil {

namespace {

struct Span {
    int32_t rows = 0, cols = 0;
};

// The rect, clipped to the output world and the planes it is read from.
Span colourSpan(const StageJob &job) {
    const GlowPlane &glow = job.glow[0];
    Span s;
    s.rows = std::min({job.rect.bottom - job.rect.top, job.dst->height - job.rect.top, glow.height});
    s.cols = std::min({job.rect.right - job.rect.left, job.dst->width - job.rect.left, glow.width});
    if (job.src) {
        s.rows = std::min(s.rows, job.src->height - job.rect.top);
        s.cols = std::min(s.cols, job.src->width - job.rect.left);
    }
    if (job.colour.rule == ColourRule::AngleMap) {
        s.rows = std::min(s.rows, job.glow[1].height);
        s.cols = std::min(s.cols, job.glow[1].width);
    }
    return s;
}

template <class Pixel>
void colourRow(Pixel *out, const Pixel *source, const uint16_t *glow, const uint16_t *angle, A_long cols,
               const ColouriseSettings &s) {
    colouriseRow(out, source, glow, angle, cols, s);
}

void colourRow(PF_Pixel8 *out, const PF_Pixel8 *, const uint16_t *glow, const uint16_t *, A_long cols,
               const ColouriseSettings &s) {
    colouriseRow(out, glow, cols, s);
}

template <class Pixel>
PF_Err colouriseRows(void *refcon, A_long, A_long i, A_long count) {
    StageJob &job = *static_cast<StageJob *>(refcon);
    const Span span = colourSpan(job);
    if (span.cols <= 0)
        return PF_Err_NONE;
    const ColorFlagList gradient = job.gradient;
    ColouriseSettings settings = job.colour;
    settings.gradient = &gradient;
    const bool angles = settings.rule == ColourRule::AngleMap;
    const RowBand band = rowBand(span.rows, count, i);
    for (int32_t y = band.begin; y < band.end; ++y) {
        const int32_t wy = job.rect.top + y;
        const Pixel *source = job.src ? worldRow<Pixel>(*job.src, wy) + job.rect.left : nullptr;
        const uint16_t *angle = angles ? job.glow[1].row(y) : nullptr;
        colourRow(worldRow<Pixel>(*job.dst, wy) + job.rect.left, source, job.glow[0].row(y), angle, span.cols,
                  settings);
    }
    return PF_Err_NONE;
}

// The angle map's private copy comes from host memory, so its job carries the allocator.
struct AngleJob {
    StageJob stage;
    PlaneMemory memory;
};

PF_Err angleMapCall(void *refcon, A_long, A_long, A_long) {
    AngleJob &job = *static_cast<AngleJob *>(refcon);
    // Runs on a worker: nothing may escape into the host's thread pool.
    try {
        buildAngleMap(job.stage.glow[0], job.stage.glow[1], job.memory);
    } catch (const AEException &e) {
        return e.code() ? e.code() : PF_Err_OUT_OF_MEMORY;
    } catch (const std::bad_alloc &) {
        return PF_Err_OUT_OF_MEMORY;
    } catch (...) {
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    return PF_Err_NONE;
}

} // namespace

template <class Pixel>
PF_Err colouriseStage(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld *source,
                      const GlowPlane &glow, const GlowPlane &angle, const PlaneRect &rect,
                      const ColouriseSettings &settings) {
    if (!settings.gradient || (settings.tint && !settings.hueWrap))
        return PF_Err_BAD_CALLBACK_PARAM;
    if (settings.rule == ColourRule::OriginalColors && !source)
        return PF_Err_BAD_CALLBACK_PARAM;
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
        if (settings.rule != ColourRule::Normal)
            return PF_Err_BAD_CALLBACK_PARAM;
    }
    StageJob job;
    job.dst = &out;
    job.src = const_cast<PF_EffectWorld *>(source);
    job.rect = rect;
    job.gradient = *settings.gradient;
    job.colour = settings;
    job.colour.gradient = nullptr;
    job.glow[0] = glow;
    job.glow[1] = angle;
    return host.run(&job, &colouriseRows<Pixel>);
}

template PF_Err colouriseStage<PF_Pixel8>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *,
                                          const GlowPlane &, const GlowPlane &, const PlaneRect &,
                                          const ColouriseSettings &);
template PF_Err colouriseStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *,
                                           const GlowPlane &, const GlowPlane &, const PlaneRect &,
                                           const ColouriseSettings &);
template PF_Err colouriseStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *,
                                              const GlowPlane &, const GlowPlane &, const PlaneRect &,
                                              const ColouriseSettings &);

PF_Err angleMapStage(const StageHost &host, const GlowPlane &combined, GlowPlane &angles) {
    AngleJob job;
    job.stage.glow[0] = angles;
    job.stage.glow[1] = combined;
    job.memory = host.memory;
    const PF_Err err = host.runSingle(&job, &angleMapCall);
    // buildAngleMap clears the view's bounds and status; the caller's descriptor follows.
    angles.bounds = job.stage.glow[0].bounds;
    angles.status = job.stage.glow[0].status;
    angles.content = job.stage.glow[0].content;
    return err;
}

} // namespace AEUtil
