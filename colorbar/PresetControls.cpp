// The colour bar's top row: the preset menu, and the Add and Delete buttons acting on release.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>

#include "colorbar/ColorBarActions.h"
#include "colorbar/ColorBarGeometry.h"
#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientValueLock.h"
#include "host/kit/SuiteCache.h"
#include "platform/PopupMenu.h"
#include "platform/TextPrompt.h"

namespace AEUtil {

namespace {

constexpr A_long kAfterEffectsApplId = 0x46585443; // 'FXTC'

// Every "&" doubled, so a name shows its ampersands instead of marking a mnemonic.
std::string menuLabel(const std::string &name) {
    std::string label;
    for (const char ch : name) {
        label += ch;
        if (ch == '&')
            label += '&';
    }
    return label;
}

void *mainWindow(PF_InData *in_data) {
    void *window = nullptr;
    if (const PF_Err err = in_data->utils->get_platform_data(in_data->effect_ref, PF_PlatData_MAIN_WND, &window))
        throw err;
    return window;
}

// Writes `name` into the value's preset name field, cut to fit.
void setPresetName(GradientData &value, const std::string &name) {
    std::memset(value.presetName, 0, sizeof value.presetName);
    std::memcpy(value.presetName, name.data(), std::min(name.size(), sizeof value.presetName - 1));
}

std::string presetNameOf(const GradientData &value) {
    return std::string(value.presetName, std::find(value.presetName, std::end(value.presetName), '\0'));
}

} // namespace

PF_Err GradColorPresetUI::presetMenu(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                     PF_EventExtra *event) {
    SuiteCache suites(in_data->pica_basicP);
    void *owner = mainWindow(in_data);
    int x = 0, y = 0;
    const bool anchorAtField = in_data->appl_id != kAfterEffectsApplId || in_data->version.major > 12 ||
                               (in_data->version.major == 12 && in_data->version.minor > 11);
    if (anchorAtField) {
        const PF_Rect field = areaRect(event->effect_win.current_frame, 0);
        const PF_Point local{event->u.do_click.screen_point.h, field.bottom};
        PF_Point screen{};
        if (const PF_Err err = suites.appSuite4()->PF_ConvertLocalToGlobal(&local, &screen))
            return err;
        x = screen.h;
        y = screen.v;
    } else {
        lumora::platform::cursorPosition(owner, x, y);
    }

    std::string current;
    {
        GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
        if (!value)
            return PF_Err_NONE;
        current = presetNameOf(value.value());
    }
    const std::vector<std::string> names = listPresetNames(in_data, out_data, params, event);
    std::vector<lumora::platform::MenuItem> items;
    for (std::size_t i = 0; i < names.size(); ++i)
        items.push_back({menuLabel(names[i]), static_cast<std::uint32_t>(i + 1), names[i] == current});
    if (items.empty())
        items.push_back({"- nothing -", 0, false});
    const std::uint32_t chosen = lumora::platform::trackPopupMenu(owner, items, x, y);
    if (chosen == 0 || chosen > names.size())
        return PF_Err_NONE;
    {
        GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
        if (!value)
            return PF_Err_NONE;
        setPresetName(value.value(), names[chosen - 1]);
        value.markChanged();
    }
    return applyPreset(in_data, out_data, params, event);
}

PF_Err GradColorPresetUI::releaseButton(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                        PF_EventExtra *event, int area) {
    ColorBarContext *c = context(event);
    if (!event->u.do_click.last_time)
        return PF_Err_NONE;
    std::memset(c->pressed, 0, sizeof c->pressed);
    const PF_Point &p = event->u.do_click.screen_point;
    PF_Err err = PF_Err_NONE;
    if (ColorBarGeometry(event->effect_win.current_frame).areaAt(p.h, p.v) == area)
        err = area == 1 ? addPreset(in_data, out_data, params, event) : removePreset(in_data, out_data, params, event);
    if (err)
        return err;
    event->evt_out_flags |= PF_EO_HANDLED_EVENT;
    SuiteCache suites(in_data->pica_basicP);
    return redrawNow(suites, event);
}

PF_Err GradColorPresetUI::addPreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                    PF_EventExtra *event) {
    SuiteCache suites(in_data->pica_basicP);
    std::string current;
    {
        GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
        if (!value)
            return PF_Err_NONE;
        current = presetNameOf(value.value());
    }
    const std::optional<std::string> name =
        lumora::platform::askPresetName(mainWindow(in_data), current, kGradientNameSize - 1);
    if (!name || name->empty())
        return PF_Err_NONE;
    {
        GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
        if (!value)
            return PF_Err_NONE;
        setPresetName(value.value(), *name);
        value.markChanged();
    }
    return savePreset(in_data, out_data, params, event);
}

PF_Err GradColorPresetUI::removePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                       PF_EventExtra *event) {
    if (const PF_Err err = deletePreset(in_data, out_data, params, event))
        return err;
    SuiteCache suites(in_data->pica_basicP);
    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (value) {
        setPresetName(value.value(), "");
        value.markChanged();
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
