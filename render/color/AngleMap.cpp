// Regions grow downward from the first lit pixel met in scan order; a span only ever widens,
// and it keeps the first unlit pixel on each side, which shifts the centre as described.
#include "render/color/AngleMap.h"

#include <cmath>
#include <numbers>

namespace AEUtil {

namespace {

struct Region {
    int32_t top, bottom; // bottom exclusive
    int32_t left, right; // inclusive
};

bool anyLit(const uint16_t *row, int32_t left, int32_t right) {
    for (int32_t x = left; x <= right; ++x)
        if (row[x] != 0)
            return true;
    return false;
}

Region growRegion(const GlowPlane &work, int32_t y, int32_t x) {
    Region r{y, y, x, x};
    int32_t k = y;
    for (;;) {
        const uint16_t *row = work.row(k);
        if (k != y && !anyLit(row, r.left, r.right))
            break;
        while (r.left > 0 && row[r.left] != 0)
            --r.left;
        while (r.right < work.width - 1 && row[r.right] != 0)
            ++r.right;
        ++k;
        if (k == work.height)
            break;
    }
    r.bottom = k;
    return r;
}

} // namespace

uint16_t angleValue(int32_t dy, int32_t dx) {
    const double turn =
        (std::atan2(static_cast<double>(dy), static_cast<double>(dx)) + std::numbers::pi) / (2.0 * std::numbers::pi);
    // atan2 lies in [-pi, pi], so the value stays within 0 ... 32768.
    return static_cast<uint16_t>(std::trunc(turn * 32768.0));
}

void buildAngleMap(GlowPlane &angles, const GlowPlane &combined, const PlaneMemory &mem) {
    angles.clear();
    if (combined.width == 0 || combined.height == 0)
        return;
    GlowPlane work;
    work.resize(combined.width, combined.height, mem);
    work.copyFrom(combined);

    for (int32_t y = 0; y < work.height; ++y) {
        for (int32_t x = 0; x < work.width; ++x) {
            if (work.row(y)[x] == 0)
                continue;
            const Region r = growRegion(work, y, x);
            const int32_t cx = (r.left + r.right) / 2;
            const int32_t cy = (r.top + r.bottom) / 2;
            for (int32_t row = r.top; row < r.bottom; ++row) {
                uint16_t *src = work.row(row);
                uint16_t *dst = angles.row(row);
                for (int32_t col = r.left; col <= r.right; ++col) {
                    if (src[col] == 0)
                        continue;
                    src[col] = 0;
                    dst[col] = angleValue(row - cy, col - cx);
                }
            }
        }
    }
}

} // namespace AEUtil
