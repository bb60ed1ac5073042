#include "colorbar/ColorBarContext.h"

#include <cstring>

namespace AEUtil {

void initColorBarContext(ColorBarContext &context) noexcept {
    std::memset(&context, 0, sizeof context);
    context.hoverButton = -1;
    initColorFlagList(context.snapshot);
    context.hoverFlag = -1;
    context.pendingToggle = -1;
    context.barWidth = kMinBarWidth;
}

namespace {

A_long usedEntries(const ColorBarContext &c) noexcept {
    return c.selectionCount < 0 ? 0 : c.selectionCount > kMaxColorFlags ? kMaxColorFlags : c.selectionCount;
}

ColorBarSelectionEntry *entryOf(ColorBarContext &c, A_long id) noexcept {
    for (A_long i = 0; i < usedEntries(c); ++i)
        if (c.selection[i].id == id)
            return &c.selection[i];
    return nullptr;
}

} // namespace

void clearSelection(ColorBarContext &context) noexcept {
    context.hoverFlag = -1;
    context.pendingToggle = -1;
    context.selectionCount = 0;
    std::memset(context.selection, 0, sizeof context.selection);
}

void selectFlag(ColorBarContext &context, A_long id) noexcept {
    if (ColorBarSelectionEntry *e = entryOf(context, id)) {
        e->selected = 1;
        return;
    }
    const A_long n = usedEntries(context);
    if (n < kMaxColorFlags) {
        context.selection[n] = ColorBarSelectionEntry{id, 1, {0, 0, 0}};
        context.selectionCount = n + 1;
    }
}

void deselectFlag(ColorBarContext &context, A_long id) noexcept {
    if (ColorBarSelectionEntry *e = entryOf(context, id))
        e->selected = 0;
}

bool isSelected(const ColorBarContext &context, A_long id) noexcept {
    for (A_long i = 0; i < usedEntries(context); ++i)
        if (context.selection[i].id == id && context.selection[i].selected)
            return true;
    return false;
}

A_long selectedCount(const ColorBarContext &context) noexcept {
    A_long n = 0;
    for (A_long i = 0; i < usedEntries(context); ++i)
        n += context.selection[i].selected ? 1 : 0;
    return n;
}

} // namespace AEUtil
