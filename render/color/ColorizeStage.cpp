// Colourise over the host's workers, and the angle map in a single worker call.
#include "render/color/ColorizeStage.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "host/kit/AEException.h"
#include "render/color/AngleMap.h"
#include "render/pipeline/WorldRows.h"

namespace AEUtil {

namespace {

template <class Pixel>
void colorRow(Pixel *out, const Pixel *source, const uint16_t *glow, const uint16_t *angle, A_long cols,
              const ColorizeSettings &s) {
    colorizeRow(out, source, glow, angle, cols, s);
}

void colorRow(PF_Pixel8 *out, const PF_Pixel8 *, const uint16_t *glow, const uint16_t *, A_long cols,
              const ColorizeSettings &s) {
    colorizeRow(out, glow, cols, s);
}

// The angle map's private copy comes from host memory, so its job carries the allocator.
struct AngleJob {
    GlowPlane angles;
    GlowPlane combined;
    PlaneMemory memory;
};

PF_Err angleMapCall(void *refcon, A_long, A_long, A_long) {
    AngleJob &job = *static_cast<AngleJob *>(refcon);
    // Runs on a worker: nothing may escape into the host's thread pool.
    try {
        buildAngleMap(job.angles, job.combined, job.memory);
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
PF_Err colorizeStage(const StageHost &host, PF_EffectWorld &out, const PF_EffectWorld *source, const GlowPlane &glow,
                     const GlowPlane &angle, const PlaneRect &rect, const ColorizeSettings &settings) {
    if (!settings.gradient || (settings.tint && !settings.hueWrap))
        return PF_Err_BAD_CALLBACK_PARAM;
    if (settings.rule == ColorRule::OriginalColors && !source)
        return PF_Err_BAD_CALLBACK_PARAM;
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) {
        if (settings.rule != ColorRule::Normal)
            return PF_Err_BAD_CALLBACK_PARAM;
    }
    // The rect, clipped to the output world and the planes and source it is read from.
    const bool angles = settings.rule == ColorRule::AngleMap;
    WorldSpan span = clipToWorlds(rect, &out, source);
    span.rows = std::min({span.rows, glow.height, angles ? angle.height : glow.height});
    span.cols = std::min({span.cols, glow.width, angles ? angle.width : glow.width});
    return host.runRowBands(span.bandRows(), [&](RowBand band) {
        // Each call samples its own copy of the gradient.
        const ColorFlagList gradient = *settings.gradient;
        ColorizeSettings s = settings;
        s.gradient = &gradient;
        for (int32_t y = band.begin; y < band.end; ++y) {
            const Pixel *src = source ? rectRow<const Pixel>(*source, rect, y) : nullptr;
            colorRow(rectRow<Pixel>(out, rect, y), src, glow.row(y), angles ? angle.row(y) : nullptr, span.cols, s);
        }
    });
}

template PF_Err colorizeStage<PF_Pixel8>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *, const GlowPlane &,
                                         const GlowPlane &, const PlaneRect &, const ColorizeSettings &);
template PF_Err colorizeStage<PF_Pixel16>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *,
                                          const GlowPlane &, const GlowPlane &, const PlaneRect &,
                                          const ColorizeSettings &);
template PF_Err colorizeStage<PF_PixelFloat>(const StageHost &, PF_EffectWorld &, const PF_EffectWorld *,
                                             const GlowPlane &, const GlowPlane &, const PlaneRect &,
                                             const ColorizeSettings &);

PF_Err angleMapStage(const StageHost &host, const GlowPlane &combined, GlowPlane &angles) {
    AngleJob job{angles, combined, host.memory};
    const PF_Err err = host.runSingle(&job, &angleMapCall);
    // buildAngleMap clears the view's bounds and status; the caller's descriptor follows.
    angles.bounds = job.angles.bounds;
    angles.status = job.angles.status;
    angles.content = job.angles.content;
    return err;
}

} // namespace AEUtil
