#include "colorbar/ColorBarGeometry.h"

#include <algorithm>

namespace AEUtil {

namespace {

constexpr A_long kMargin = 15;
constexpr A_long kAreaTop = 4, kAreaBottom = 26;
constexpr A_long kMarkerRow = 71; // centre row of the marker hit boxes
constexpr A_long kHitHalfWidth = 7, kHitTop = 64, kHitBottom = 78;

bool inside(const PF_Rect &r, A_long h, A_long v) noexcept {
    return h >= r.left && h <= r.right && v >= r.top && v <= r.bottom;
}

} // namespace

ColorBarGeometry::ColorBarGeometry(const PF_Rect &frame) noexcept
    : frame_(frame), x0_(frame.left + kMargin), x1_(frame.right - kMargin) {}

A_long ColorBarGeometry::barWidth() const noexcept { return std::max(x1_ - x0_, kBarMinWidth); }

PF_Rect ColorBarGeometry::area(int index) const noexcept {
    const A_long top = frame_.top + kAreaTop, bottom = frame_.top + kAreaBottom, r = frame_.right;
    switch (index) {
    case 0: return {frame_.left, top, r - 134, bottom};
    case 1: return {r - 131, top, r - 99, bottom};
    default: return {r - 96, top, r - 48, bottom};
    }
}

int ColorBarGeometry::areaAt(A_long h, A_long v) const noexcept {
    for (int i = 0; i < kTopRowAreas; ++i)
        if (inside(area(i), h, v))
            return i;
    return -1;
}

A_long ColorBarGeometry::markerCentre(float position) const noexcept {
    // Narrow frames map positions on the 208 steps of the minimum bar.
    const A_long scale = x1_ - x0_ < 210 ? 208 : x1_ - x0_ - 1;
    return x0_ + static_cast<A_long>(static_cast<double>(scale) * position + 0.5);
}

bool ColorBarGeometry::inMarkerHitBox(A_long cx, A_long h, A_long v) const noexcept {
    return h >= cx - kHitHalfWidth && h <= cx + kHitHalfWidth && v >= frame_.top + kHitTop &&
           v <= frame_.top + kHitBottom;
}

A_long ColorBarGeometry::markerAt(const ColorFlagList &list, A_long h, A_long v) const noexcept {
    A_long best = -1;
    long long bestDistance = 0;
    const A_long row = frame_.top + kMarkerRow;
    for (A_long i = 0; i < usedFlagCount(list); ++i) {
        const ColorFlag &f = list.flag[i];
        if (f.id == -1)
            continue;
        const A_long cx = markerCentre(f.position);
        if (!inMarkerHitBox(cx, h, v))
            continue;
        const long long dv = v - row, dh = h - cx;
        const long long d = std::max(dv * dv + dh * dh, 1LL); // anything below 2 counts as 1
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

double ColorBarGeometry::positionAt(A_long h) const noexcept {
    if (h < x0_)
        return 0.0;
    if (h > x1_)
        return 1.0;
    return static_cast<double>(h - x0_) / static_cast<double>(barWidth());
}

bool ColorBarGeometry::inBarClickZone(A_long h, A_long v) const noexcept {
    return h >= frame_.left && h <= frame_.right && v >= zoneTop() && v <= zoneBottom();
}

} // namespace AEUtil
