// The job records stages hand to iterate_generic, and the runner that hands them over.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "colorbar/GradientData.h"
#include "render/color/GlowColourise.h"
#include "render/pipeline/GlowPlane.h"

namespace AEUtil {

using StageCallback = PF_Err (*)(void *refcon, A_long threadIndex, A_long i, A_long count);

// What a stage needs from the host: its worker threads and its memory. A null iterate runs
// the callback once, on the calling thread (tools and tests without a host).
struct StageHost {
    PF_Err (*iterate)(A_long iterations, void *refcon, StageCallback fn) = nullptr;
    PlaneMemory memory;

    static StageHost fromInData(const PF_InData &in) {
        return {in.utils ? in.utils->iterate_generic : nullptr, {in.pica_basicP}};
    }
    PF_Err run(void *job, StageCallback fn) const {
        if (iterate)
            return iterate(PF_Iterations_ONCE_PER_PROCESSOR, job, fn);
        return fn(job, 0, 0, 1);
    }
    // Exactly one call, for stages whose work cannot be split into bands of rows.
    PF_Err runSingle(void *job, StageCallback fn) const {
        if (iterate)
            return iterate(1, job, fn);
        return fn(job, 0, 0, 1);
    }
};

struct StageJob {
    PF_EffectWorld *dst = nullptr;
    PF_EffectWorld *src = nullptr;
    PlaneRect rect;
    // Colouring: each worker call samples its own copy of `gradient` (colour.gradient is unset
    // here); colour.hueWrap points at the render's HueWrapTable.
    ColorFlagList gradient{};
    ColouriseSettings colour;
    int32_t threshold = 0;
    int32_t thresholdSoft = 0;
    double opacity = 0.0;
    double intensity = 0.0;
    const uint16_t *depthCurve = nullptr;
    int32_t blendMode = 0;
    int32_t view = 0;
    A_long inputChannel = 0;
    // Four plane views; which is source and which destination is fixed per stage.
    GlowPlane glow[3];
    MaskPlane mask;
};

struct CopyJob {
    PF_EffectWorld *dst = nullptr;
    const PF_EffectWorld *src = nullptr;
    PlaneRect srcRect; // only its width and height count; source rows and columns start at 0
    PlaneRect area;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};

// The 8-to-16 and 16-to-8 conversions: two worlds and the rectangle.
struct ConvertJob {
    PF_EffectWorld *dst = nullptr;
    const PF_EffectWorld *src = nullptr;
    PlaneRect rect;
};

// Row y of a world as pixels of the world's form.
template <class Pixel>
Pixel *worldRow(const PF_EffectWorld &w, int32_t y) {
    return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + static_cast<std::ptrdiff_t>(y) * w.rowbytes);
}

} // namespace AEUtil
