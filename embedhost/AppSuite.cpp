#include "embedhost/AppSuite.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "embedhost/FunctionSlot.h"
#include "embedhost/CurrentHost.h"
#include "embedhost/CustomUi.h"
#include "embedhost/HostProfile.h"
#include "embedhost/Interaction.h"

namespace embedhost {

namespace {

PF_Err unsupported(const char *name) {
    if (Interaction *interaction = current::interaction())
        interaction->noteUnsupported(name);
    return PF_Err_INVALID_CALLBACK;
}

SPAPI PF_Err getBgColor(PF_App_Color *color) {
    CustomUi *ui = current::customUi();
    if (!ui || !color)
        return PF_Err_BAD_CALLBACK_PARAM;
    const auto &bg = ui->theme().background;
    *color = PF_App_Color{bg[0], bg[1], bg[2]};
    return PF_Err_NONE;
}

SPAPI PF_Err getColor(PF_App_ColorType type, PF_App_Color *color) {
    CustomUi *ui = current::customUi();
    if (!ui || !color)
        return PF_Err_BAD_CALLBACK_PARAM;
    const HostTheme theme = ui->theme();
    const auto found = theme.appColors.find(type);
    if (found == theme.appColors.end())
        return unsupported("PF_AppGetColor");
    *color = found->second;
    return PF_Err_NONE;
}

// The tag is cut to what the SDK's buffer holds (PF_APP_LANG_TAG_SIZE with its NUL).
SPAPI PF_Err getLanguage(A_char *tag) {
    const HostProfile *profile = current::profile();
    if (!profile || !tag)
        return PF_Err_BAD_CALLBACK_PARAM;
    const std::string &lang = profile->language;
    const std::size_t n = std::min<std::size_t>(lang.size(), PF_APP_LANG_TAG_SIZE - 1);
    std::memcpy(tag, lang.data(), n);
    tag[n] = '\0';
    return PF_Err_NONE;
}

SPAPI PF_Err isRenderEngine(PF_Boolean *renderEngine) {
    const HostProfile *profile = current::profile();
    if (!profile || !renderEngine)
        return PF_Err_BAD_CALLBACK_PARAM;
    *renderEngine = profile->renderEngine;
    return PF_Err_NONE;
}

SPAPI PF_Err personalInfo() { return unsupported("PF_GetPersonalInfo"); }
SPAPI PF_Err fontStyleSheet() { return unsupported("PF_GetFontStyleSheet"); }
SPAPI PF_Err setCursor() { return unsupported("PF_SetCursor"); }
// The dialog, the redraw and the conversion belong to an open panel: the one handling the event
// (or owning the context); outside a panel nobody can answer them.
SPAPI PF_Err colorPicker(const A_char *title, const PF_PixelFloat *sample, PF_Boolean, PF_PixelFloat *picked) {
    CustomUi *ui = current::customUi();
    PanelLink *panel = ui ? ui->active() : nullptr;
    if (!sample || !picked)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (!panel)
        return PF_Err_INVALID_CALLBACK;
    return panel->pickColor(title ? title : "", *sample, picked);
}

SPAPI PF_Err getMouse() { return unsupported("PF_GetMouse"); }

SPAPI PF_Err invalidateRect(const PF_ContextH context, const PF_Rect *rect) {
    CustomUi *ui = current::customUi();
    PanelLink *panel = ui && context ? ui->panelOf(context) : nullptr;
    if (!panel)
        return PF_Err_BAD_CALLBACK_PARAM;
    panel->invalidate(rect);
    return PF_Err_NONE;
}

SPAPI PF_Err localToGlobal(const PF_Point *local, PF_Point *global) {
    CustomUi *ui = current::customUi();
    PanelLink *panel = ui ? ui->active() : nullptr;
    if (!panel || !local || !global)
        return PF_Err_BAD_CALLBACK_PARAM;
    *global = panel->toScreen(*local);
    return PF_Err_NONE;
}

SPAPI PF_Err colorAtPoint() { return unsupported("PF_GetColorAtGlobalPoint"); }

// Versions 6 and 7 share every function but the language query.
template <class Suite>
void fillShared(Suite &s) {
    s.PF_AppGetBgColor = getBgColor;
    s.PF_AppGetColor = getColor;
    fillSlot(s.PF_GetPersonalInfo, personalInfo);
    fillSlot(s.PF_GetFontStyleSheet, fontStyleSheet);
    fillSlot(s.PF_SetCursor, setCursor);
    s.PF_IsRenderEngine = isRenderEngine;
    s.PF_AppColorPickerDialog = colorPicker;
    fillSlot(s.PF_GetMouse, getMouse);
    s.PF_InvalidateRect = invalidateRect;
    s.PF_ConvertLocalToGlobal = localToGlobal;
    fillSlot(s.PF_GetColorAtGlobalPoint, colorAtPoint);
}

} // namespace

AppSuite::AppSuite() {
    fillShared(suite4_);
    fillShared(suite5_);
    suite5_.PF_AppGetLanguage = getLanguage;
}

} // namespace embedhost
