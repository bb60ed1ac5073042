// A world's rows inside a stage's rectangle, clipped to the worlds involved, for the stages
// that walk image pixels one row at a time.
#pragma once

#include <algorithm>

#include "render/pipeline/RowBand.h"
#include "render/pipeline/StageJob.h"

namespace AEUtil {

struct WorldSpan {
    int32_t rows = 0;
    int32_t cols = 0;
};

// The rectangle's size, clipped to every non-null world (worlds are read in their own coordinates).
inline WorldSpan clipToWorlds(const PlaneRect &rect, const PF_EffectWorld *a, const PF_EffectWorld *b = nullptr) {
    WorldSpan s{rect.bottom - rect.top, rect.right - rect.left};
    for (const PF_EffectWorld *w : {a, b}) {
        if (!w)
            continue;
        s.rows = std::min(s.rows, w->height - rect.top);
        s.cols = std::min(s.cols, w->width - rect.left);
    }
    if (rect.top < 0 || rect.left < 0 || s.rows < 0 || s.cols < 0)
        return {};
    return s;
}

// The band of rect rows (counted from rect.top) of one worker call, empty when nothing is left.
inline RowBand worldBand(const WorldSpan &span, A_long i, A_long count) {
    return span.cols > 0 ? rowBand(span.rows, count, i) : RowBand{};
}

} // namespace AEUtil
