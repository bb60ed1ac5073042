// The colour bar's mouse-down and hover: the top row, selecting and recolouring flags, and
// the start of every drag.
#include <cstring>

#include "colorbar/ColorBarActions.h"
#include "colorbar/ColorBarGeometry.h"
#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientValueLock.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

constexpr PF_Modifiers kClickModifiers =
    PF_Mod_CMD_CTRL_KEY | PF_Mod_SHIFT_KEY | PF_Mod_CAPS_LOCK_KEY | PF_Mod_MAC_CONTROL_KEY;

void startDrag(ColorBarContext &c, PF_DoClickEventInfo &click) {
    click.send_drag = true;
    c.startH = c.currentH = click.screen_point.h;
    c.startV = c.currentV = click.screen_point.v;
}

// A double click recolours every selected flag with the colour picked from the hit one.
PF_Err recolor(SuiteCache &suites, ColorBarContext &c, GradientValueLock &value, const ColorFlag &hit) {
    std::optional<PF_PixelFloat> picked;
    if (const PF_Err err = pickColor(suites, "Replace Color", hit, picked); err || !picked)
        return err;
    ColorFlagList &list = value.value().current;
    const ColorFlagList before = list;
    for (A_long i = 0; i < usedFlagCount(list); ++i)
        if (isSelected(c, list.flag[i].id))
            setFlagColor(list.flag[i], *picked);
    if (std::memcmp(&before, &list, sizeof list) != 0)
        value.markChanged();
    selectFlag(c, hit.id);
    return PF_Err_NONE;
}

void selectForClick(ColorBarContext &c, const ColorFlag &hit, PF_Modifiers modifiers) {
    const bool selected = isSelected(c, hit.id);
    switch (modifiers & kClickModifiers) {
    case PF_Mod_CMD_CTRL_KEY:
        // Ctrl toggles, but only on release, so a Ctrl-drag can still move the selection.
        if (selected) {
            c.pendingToggle = hit.id;
        } else {
            selectFlag(c, hit.id);
            c.pendingToggle = -1;
        }
        c.dragMode = 0;
        return;
    case PF_Mod_CMD_CTRL_KEY | PF_Mod_SHIFT_KEY:
        if (!selected) {
            clearSelection(c);
            selectFlag(c, hit.id);
        }
        c.dragMode = 1;
        return;
    default:
        if (!selected) {
            clearSelection(c);
            selectFlag(c, hit.id);
        }
        c.dragMode = 0;
        return;
    }
}

} // namespace

PF_Err GradColorPresetUI::click(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *,
                                PF_EventExtra *event) {
    ColorBarContext *c = context(event);
    if (!c || event->effect_win.area != PF_EA_CONTROL)
        return PF_Err_NONE;
    SuiteCache suites(in_data->pica_basicP);
    const ColorBarGeometry geometry(event->effect_win.current_frame);
    PF_DoClickEventInfo &click = event->u.do_click;
    const A_long h = click.screen_point.h, v = click.screen_point.v;

    c->hoverButton = -1;
    std::memset(c->pressed, 0, sizeof c->pressed);
    const int area = geometry.areaAt(h, v);
    if (area == 0) {
        PF_Err err = PF_Err_NONE;
        try {
            err = presetMenu(in_data, out_data, params, event);
        } catch (...) {
            clearSelection(*c);
            throw;
        }
        if (err) {
            clearSelection(*c);
            return err;
        }
        event->evt_out_flags |= PF_EO_HANDLED_EVENT;
    } else if (area > 0) {
        // The button acts when it is released over itself.
        c->pressed[area] = 1;
        click.send_drag = true;
        event->evt_out_flags |= PF_EO_HANDLED_EVENT;
    }
    if (event->evt_out_flags & PF_EO_HANDLED_EVENT) {
        clearSelection(*c);
        // The pressed button and a preset just chosen show at once.
        return area >= 0 ? redrawNow(suites, event) : PF_Err_NONE;
    }

    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (!value)
        return PF_Err_NONE;
    const ColorFlagList &list = value.value().current;
    const A_long hitIndex = geometry.markerAt(list, h, v);
    if (hitIndex < 0) {
        // Empty bar space: a rubber band, or a click that inserts a flag on release.
        c->pendingToggle = -1;
        c->dragMode = 2;
        startDrag(*c, click);
        event->evt_out_flags |= PF_EO_HANDLED_EVENT;
        return PF_Err_NONE;
    }
    const ColorFlag hit = list.flag[hitIndex];
    if (click.num_clicks == 2) {
        if (const PF_Err err = recolor(suites, *c, value, hit))
            return err;
    } else {
        selectForClick(*c, hit, click.modifiers);
        startDrag(*c, click);
        c->snapshot = list;
    }
    event->evt_out_flags |= PF_EO_HANDLED_EVENT;
    return redrawNow(suites, event);
}

PF_Err GradColorPresetUI::adjustCursor(PF_InData *in_data, PF_OutData *, PF_ParamDef *params[], PF_LayerDef *,
                                       PF_EventExtra *event) {
    ColorBarContext *c = context(event);
    if (!c || (event->evt_out_flags & PF_EO_HANDLED_EVENT) || event->effect_win.area != PF_EA_CONTROL)
        return PF_Err_NONE;
    SuiteCache suites(in_data->pica_basicP);
    A_long hovered = -1;
    {
        GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
        if (!value)
            return PF_Err_NONE;
        const ColorBarGeometry geometry(event->effect_win.current_frame);
        const PF_Point &p = event->u.adjust_cursor.screen_point;
        const A_long i = geometry.markerAt(value.value().current, p.h, p.v);
        hovered = i < 0 ? -1 : value.value().current.flag[i].id;
    }
    if (hovered == c->hoverFlag)
        return PF_Err_NONE;
    c->hoverFlag = hovered;
    return redrawNow(suites, event);
}

} // namespace AEUtil
