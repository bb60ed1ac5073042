// The colour bar's share of each effect-panel context: hover, press and drag state, the
// selection and the painted bar width.
#pragma once

#include <cstddef>

#include "colorbar/data/GradientData.h"

namespace AEUtil {

struct ColorBarSelectionEntry {
    A_long id;
    A_u_char selected;
    A_u_char pad[3];
};

struct ColorBarContext {
    A_long hoverButton; // top-row area drawn in hover colours, -1 none
    A_long pressed[3];  // 1 while the button of area 0, 1, 2 is held
    A_long dragMode;    // 0 move, 1 duplicate then move, 2 rubber band or bar click
    ColorFlagList snapshot;
    A_long startH, startV;
    A_long currentH, currentV;
    A_long hoverFlag;     // id of the marker under the mouse, -1 none
    A_long pendingToggle; // id a Ctrl-click may deselect on release, -1 none
    A_long selectionCount;
    ColorBarSelectionEntry selection[kMaxColorFlags];
    A_long barWidth;
};

static_assert(sizeof(ColorBarSelectionEntry) == 8);
static_assert(offsetof(ColorBarContext, snapshot) == 20);
static_assert(offsetof(ColorBarContext, selection) == 576);
static_assert(sizeof(ColorBarContext) == 836);

inline constexpr A_long kMinBarWidth = 209;

// The state of a freshly opened context.
void initColorBarContext(ColorBarContext &context) noexcept;

// Hover flag and pending toggle -1, no selection.
void clearSelection(ColorBarContext &context) noexcept;
// Marks `id` selected: its entry when present, else a new one while fewer than 32 exist.
void selectFlag(ColorBarContext &context, A_long id) noexcept;
void deselectFlag(ColorBarContext &context, A_long id) noexcept;
bool isSelected(const ColorBarContext &context, A_long id) noexcept;
// Entries whose selected mark is set.
A_long selectedCount(const ColorBarContext &context) noexcept;

} // namespace AEUtil
