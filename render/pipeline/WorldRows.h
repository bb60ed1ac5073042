// A world's rows inside a stage's rectangle, clipped to the worlds involved, for the stages
// that walk image pixels one row at a time.
#pragma once

#include <algorithm>
#include <cstddef>

#include "AE_Effect.h"
#include "render/pipeline/GlowPlane.h"

namespace AEUtil {

// Row y of a world as pixels of the world's form.
template <class Pixel>
Pixel *worldRow(const PF_EffectWorld &w, int32_t y) {
    return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + static_cast<std::ptrdiff_t>(y) * w.rowbytes);
}

// Row y of the rectangle (counted from its top), from its left edge.
template <class Pixel>
Pixel *rectRow(const PF_EffectWorld &w, const PlaneRect &rect, int32_t y) {
    return worldRow<Pixel>(w, rect.top + y) + rect.left;
}

struct WorldSpan {
    int32_t rows = 0;
    int32_t cols = 0;
    // Rows a stage bands over: none when no column is left.
    int32_t bandRows() const { return cols > 0 ? rows : 0; }
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

} // namespace AEUtil
