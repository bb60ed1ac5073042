#include "embedhost/AppSuite.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "embedhost/FunctionSlot.h"
#include "embedhost/CurrentHost.h"
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
    const HostProfile *profile = current::profile();
    if (!profile || !color)
        return PF_Err_BAD_CALLBACK_PARAM;
    const auto &bg = profile->appBackground;
    *color = PF_App_Color{bg[0], bg[1], bg[2]};
    return PF_Err_NONE;
}

SPAPI PF_Err getColor(PF_App_ColorType, PF_App_Color *) { return unsupported("PF_AppGetColor"); }

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
SPAPI PF_Err colorPicker(const A_char *, const PF_PixelFloat *, PF_Boolean, PF_PixelFloat *) {
    return unsupported("PF_AppColorPickerDialog");
}
SPAPI PF_Err getMouse() { return unsupported("PF_GetMouse"); }
SPAPI PF_Err invalidateRect(const PF_ContextH, const PF_Rect *) { return unsupported("PF_InvalidateRect"); }
SPAPI PF_Err localToGlobal() { return unsupported("PF_ConvertLocalToGlobal"); }
SPAPI PF_Err colorAtPoint() { return unsupported("PF_GetColorAtGlobalPoint"); }

} // namespace

AppSuite::AppSuite() {
    suite5_.PF_AppGetBgColor = getBgColor;
    suite5_.PF_AppGetColor = getColor;
    suite5_.PF_AppGetLanguage = getLanguage;
    fillSlot(suite5_.PF_GetPersonalInfo, personalInfo);
    fillSlot(suite5_.PF_GetFontStyleSheet, fontStyleSheet);
    fillSlot(suite5_.PF_SetCursor, setCursor);
    suite5_.PF_IsRenderEngine = isRenderEngine;
    suite5_.PF_AppColorPickerDialog = colorPicker;
    fillSlot(suite5_.PF_GetMouse, getMouse);
    suite5_.PF_InvalidateRect = invalidateRect;
    fillSlot(suite5_.PF_ConvertLocalToGlobal, localToGlobal);
    fillSlot(suite5_.PF_GetColorAtGlobalPoint, colorAtPoint);
}

} // namespace embedhost
