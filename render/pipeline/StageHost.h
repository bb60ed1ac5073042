// What a stage needs from the host (its worker threads and its memory), and the one runner
// that spreads a stage's rows over those workers in bands.
#pragma once

#include <type_traits>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "render/pipeline/GlowPlane.h"
#include "render/pipeline/RowBand.h"

namespace AEUtil {

using StageCallback = PF_Err (*)(void *refcon, A_long threadIndex, A_long i, A_long count);

// A null iterate runs the callback once, on the calling thread (tools and tests without a host).
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
    // body(RowBand) once per worker call that has rows of [0, rows) to do; the stage's job is
    // whatever the body holds. A body may return a PF_Err, which stops the stage.
    template <class Body>
    PF_Err runRowBands(int32_t rows, const Body &body) const {
        struct Job {
            const Body &body;
            int32_t rows;
        } job{body, rows};
        return run(&job, [](void *refcon, A_long, A_long i, A_long count) -> PF_Err {
            const Job &j = *static_cast<const Job *>(refcon);
            const RowBand band = rowBand(j.rows, count, i);
            if (band.begin >= band.end)
                return PF_Err_NONE;
            if constexpr (std::is_void_v<decltype(j.body(band))>) {
                j.body(band);
                return PF_Err_NONE;
            } else {
                return j.body(band);
            }
        });
    }
};

} // namespace AEUtil
