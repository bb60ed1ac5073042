// The colour bar's drags: moving, duplicating and removing the selected flags, the rubber band,
// a click on the bar that inserts a flag, and the release of the Add and Delete buttons.
#include <algorithm>
#include <cstring>
#include <vector>

#include "colorbar/ColorBarActions.h"
#include "colorbar/ColorBarGeometry.h"
#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientSampling.h"
#include "colorbar/GradientValueLock.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

const ColorFlag *flagWithId(const ColorFlagList &list, A_long id) noexcept {
    for (A_long i = 0; i < usedFlagCount(list); ++i)
        if (list.flag[i].id == id)
            return &list.flag[i];
    return nullptr;
}

// Moves the selected flags by the mouse's offset from the click, keeping the group's spacing
// and stopping it at the ends; far below the bar they are shown as removed. Returns whether
// the flags are off the bar.
bool moveSelection(const ColorBarGeometry &g, const ColorBarContext &c, ColorFlagList &list) {
    const bool offBar = g.belowRemoveLine(c.currentV);
    double lo = 1.0, hi = 0.0;
    for (A_long i = 0; i < usedFlagCount(list); ++i) {
        const ColorFlag *before = flagWithId(c.snapshot, list.flag[i].id);
        if (before && isSelected(c, list.flag[i].id)) {
            lo = std::min(lo, static_cast<double>(before->position));
            hi = std::max(hi, static_cast<double>(before->position));
        }
    }
    double delta = g.positionAt(c.currentH) - g.positionAt(c.startH);
    delta = delta > 0.0 ? std::min(delta, 1.0 - hi) : std::max(delta, -lo);
    for (A_long i = 0; i < usedFlagCount(list); ++i) {
        ColorFlag &f = list.flag[i];
        const ColorFlag *before = flagWithId(c.snapshot, f.id);
        if (!before || !isSelected(c, f.id))
            continue;
        // With no offset the snapshot position comes back too: flags taken below the bar
        // and brought back to the column they started from return to the bar.
        f.position = offBar ? -1.0f : static_cast<float>(std::clamp(before->position + delta, 0.0, 1.0));
    }
    return offBar;
}

// Rebuilds the list from the unselected flags, each with the smallest unused id.
void removeSelection(ColorBarContext &c, ColorFlagList &list) {
    ColorFlagList kept;
    initColorFlagList(kept);
    kept.flags = list.flags;
    for (A_long i = 0; i < usedFlagCount(list); ++i)
        if (!isSelected(c, list.flag[i].id))
            appendColorFlag(kept, list.flag[i]);
    list = kept;
    clearSelection(c);
}

// Copies the selected flags to the end of the list and selects the copies. False when they
// would not fit.
bool duplicateSelection(ColorBarContext &c, ColorFlagList &list) {
    std::vector<ColorFlag> selected;
    for (A_long i = 0; i < usedFlagCount(list); ++i)
        if (isSelected(c, list.flag[i].id))
            selected.push_back(list.flag[i]);
    if (kMaxColorFlags - usedFlagCount(list) < static_cast<A_long>(selected.size()))
        return false;
    clearSelection(c);
    for (const ColorFlag &f : selected) {
        appendColorFlag(list, f);
        selectFlag(c, list.flag[usedFlagCount(list) - 1].id);
    }
    c.snapshot = list;
    c.dragMode = 0;
    return true;
}

// Selects the flags whose positions lie between the rubber band's left and right edges.
void rubberBand(const ColorBarGeometry &g, ColorBarContext &c, const ColorFlagList &list) {
    clearSelection(c);
    const A_long top = std::min(c.startV, c.currentV), bottom = std::max(c.startV, c.currentV);
    const A_long left = std::min(c.startH, c.currentH), right = std::max(c.startH, c.currentH);
    if (bottom < g.zoneTop() || top > g.zoneBottom() || right < g.x0() || left > g.x1())
        return;
    const double from = g.positionAt(std::clamp(left, g.x0(), g.x1()));
    const double to = g.positionAt(std::clamp(right, g.x0(), g.x1()));
    for (A_long i = 0; i < usedFlagCount(list); ++i) {
        const double p = list.flag[i].position;
        if (list.flag[i].id != -1 && p >= from && p <= to)
            selectFlag(c, list.flag[i].id);
    }
}

// A click on empty bar space: a new flag there in the colour picked, starting from the bar's.
PF_Err insertFlag(SuiteCache &suites, const ColorBarGeometry &g, ColorBarContext &c, ColorFlagList &list,
                  PF_OutData *out_data) {
    if (!g.inBarClickZone(c.currentH, c.currentV)) {
        clearSelection(c);
        return PF_Err_NONE;
    }
    if (usedFlagCount(list) >= kMaxColorFlags) {
        setFlagLimitMessage(out_data);
        return PF_Err_NONE;
    }
    clearSelection(c);
    const double position = g.positionAt(c.currentH);
    const A_long w = g.barWidth();
    std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
    rasterizeGradient(list, row.data(), w);
    const std::uint32_t px = row[static_cast<std::size_t>(static_cast<A_long>((w - 1) * position + 0.5))];
    ColorFlag sample{
        255, static_cast<A_u_char>(px >> 16), static_cast<A_u_char>(px >> 8), static_cast<A_u_char>(px), 0.0f, -1, 0};
    std::optional<PF_PixelFloat> picked;
    if (const PF_Err err = pickColor(suites, "Insert Color", sample, picked); err || !picked)
        return err;
    ColorFlag added{};
    setFlagColor(added, *picked);
    added.position = static_cast<float>(position);
    appendColorFlag(list, added);
    return PF_Err_NONE;
}

} // namespace

PF_Err GradColorPresetUI::drag(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *,
                               PF_EventExtra *event) {
    ColorBarContext *c = context(event);
    if (!c)
        return PF_Err_NONE;
    for (int area = 1; area < kTopRowAreas; ++area)
        if (c->pressed[area])
            return releaseButton(in_data, out_data, params, event, area);

    SuiteCache suites(in_data->pica_basicP);
    const ColorBarGeometry g(event->effect_win.current_frame);
    const PF_DoClickEventInfo &info = event->u.do_click;
    const bool release = info.last_time != 0;
    const long long dh = info.screen_point.h - c->startH, dv = info.screen_point.v - c->startV;
    const long long reach = 4LL * g.barWidth();
    if (dh * dh + dv * dv < reach * reach) {
        c->currentH = info.screen_point.h;
        c->currentV = info.screen_point.v;
    }
    const bool moved = c->currentH != c->startH || c->currentV != c->startV;

    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (!value)
        return PF_Err_NONE;
    ColorFlagList &list = value.value().current;
    const ColorFlagList before = list;
    PF_Err err = PF_Err_NONE;

    if (c->dragMode == 1 && moved && !duplicateSelection(*c, list) && !release)
        setFlagLimitMessage(out_data);
    if (c->dragMode == 0) {
        const bool offBar = moveSelection(g, *c, list);
        if (moved)
            c->pendingToggle = -1;
        if (release) {
            if (selectedCount(*c) > 1 && c->pendingToggle != -1)
                deselectFlag(*c, c->pendingToggle);
            if (offBar)
                removeSelection(*c, list);
        }
    } else if (c->dragMode == 2) {
        if (!release)
            rubberBand(g, *c, list);
        else if (!moved)
            err = insertFlag(suites, g, *c, list, out_data);
    }
    if (release)
        c->dragMode = 0;
    if (std::memcmp(&before, &list, sizeof list) != 0) {
        markUnsorted(list);
        value.markChanged();
    }
    if (err)
        return err;
    event->evt_out_flags |= PF_EO_HANDLED_EVENT;
    return redrawNow(suites, event);
}

} // namespace AEUtil
