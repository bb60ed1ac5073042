// Where the colour bar's parts lie in the control's frame (the effect window's current_frame):
// the top row, the bar, its ticks and the flag markers, and how a mouse point maps to a
// position on the bar.
#pragma once

#include "AE_Effect.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

inline constexpr A_long kBarMinWidth = 209;
inline constexpr A_long kBarTopOffset = 33; // the bar's first row below the frame's top
inline constexpr A_long kBarHeight = 26;
inline constexpr A_long kRemoveDistance = 12; // pixels below the click zone that remove flags
inline constexpr int kTopRowAreas = 3;        // preset field, "Add", "Delete"

class ColorBarGeometry {
public:
    explicit ColorBarGeometry(const PF_Rect &frame) noexcept;

    const PF_Rect &frame() const noexcept { return frame_; }
    A_long x0() const noexcept { return x0_; }
    A_long x1() const noexcept { return x1_; }
    // Pixels of the painted bar: the frame's width less the margins, at least 209.
    A_long barWidth() const noexcept;
    // Top-row area 0 (preset field), 1 ("Add") or 2 ("Delete").
    PF_Rect area(int index) const noexcept;
    // The area under (h, v), or -1.
    int areaAt(A_long h, A_long v) const noexcept;

    // Centre column of a flag's marker.
    A_long markerCentre(float position) const noexcept;
    // Whether (h, v) lies in the hit box of a marker centred at cx.
    bool inMarkerHitBox(A_long cx, A_long h, A_long v) const noexcept;
    // The storage index of the marker under (h, v): the nearest hit, the earlier on a tie; -1.
    A_long markerAt(const ColorFlagList &list, A_long h, A_long v) const noexcept;

    // The position a column stands for: 0 left of the bar, 1 right of it.
    double positionAt(A_long h) const noexcept;
    // The rows of the bar click zone, T+60 .. T+83.
    A_long zoneTop() const noexcept { return frame_.top + 60; }
    A_long zoneBottom() const noexcept { return frame_.top + 83; }
    bool inBarClickZone(A_long h, A_long v) const noexcept;
    // Whether a dragged point lies far enough below the bar to take flags off it.
    bool belowRemoveLine(A_long v) const noexcept { return v > zoneBottom() + kRemoveDistance; }

private:
    PF_Rect frame_;
    A_long x0_, x1_;
};

} // namespace AEUtil
