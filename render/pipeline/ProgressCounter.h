// The render's progress: the blur passes report from it, the pipeline once more at the end.
#pragma once

#include <algorithm>

#include "AE_Effect.h"

namespace AEUtil {

struct ProgressCounter {
    const PF_InData *inData = nullptr;
    PF_ProgPtr effectRef = nullptr;
    A_long totalSteps = 4;
    A_long stepsDone = 0;

    // Reports done / total as a percentage; the host's answer (e.g. an interruption) is returned.
    PF_Err report(A_long done) const {
        if (!inData || !inData->inter.progress)
            return PF_Err_NONE;
        const A_long pct = totalSteps == 0 ? 100 : std::min<A_long>(100, done * 100 / totalSteps);
        return inData->inter.progress(effectRef, pct, 100);
    }
};

} // namespace AEUtil
