#include "colorbar/draw/ThemePalette.h"

#include <algorithm>

#include "colorbar/ColorHsv.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

constexpr int kApplicationColor = 55;

DRAWBOT_ColorRGBA fromApp(const PF_App_Color &c) noexcept {
    return {static_cast<float>(c.red / 65535.0), static_cast<float>(c.green / 65535.0),
            static_cast<float>(c.blue / 65535.0), 1.0f};
}

double valueOf(const DRAWBOT_ColorRGBA &c) noexcept { return rgbToHsv(c.red, c.green, c.blue).value; }

// `base` with its HSV value replaced (clamped to 0..1), alpha 1.
DRAWBOT_ColorRGBA withValue(const DRAWBOT_ColorRGBA &base, double value) noexcept {
    const HsvColor hsv = rgbToHsv(base.red, base.green, base.blue);
    const RgbaColor rgb = hsvToRgb(hsv.hue, hsv.saturation, std::clamp(value, 0.0, 1.0));
    return {static_cast<float>(rgb.red), static_cast<float>(rgb.green), static_cast<float>(rgb.blue), 1.0f};
}

// The background's value moved toward the foreground's by `factor`.
DRAWBOT_ColorRGBA towardForeground(const ThemeInputs &t, double factor) noexcept {
    const double bg = valueOf(t.background);
    return withValue(t.background, bg + (valueOf(t.foreground) - bg) * factor);
}

} // namespace

ThemeInputs readThemeInputs(SuiteCache &suites) {
    ThemeInputs t{};
    const PF_EffectCustomUIOverlayThemeSuite1 *theme = suites.overlayThemeSuite();
    const PFAppSuite4 *app = suites.appSuite4();
    PF_Err err = theme->PF_GetPreferredForegroundColor(&t.foreground);
    if (!err)
        err = theme->PF_GetPreferredShadowColor(&t.shadow);
    PF_App_Color bg{};
    if (!err)
        err = app->PF_AppGetBgColor(&bg);
    t.background = fromApp(bg);
    PF_App_Color c55{};
    if (!err)
        err = app->PF_AppGetColor(kApplicationColor, &c55);
    t.application = err != PF_Err_NONE ? t.background : fromApp(c55);
    return t;
}

DRAWBOT_ColorRGBA paletteColor(int index, const ThemeInputs &t) noexcept {
    switch (index) {
    case 2:
    case 14:
    case 18:
    case 23:
    case 29:
    case 34:
    case 35:
    case 37:
    case 39: return t.foreground;
    case 1:
    case 4:
    case 7:
    case 9:
    case 10:
    case 13:
    case 24:
    case 27:
    case 28:
    case 38: return t.shadow;
    case 30:
    case 36: return {t.background.red, t.background.green, t.background.blue, 1.0f};
    case 12:
    case 26:
    case 33: return {t.application.red, t.application.green, t.application.blue, 1.0f};
    case 3:
    case 25:
    case 31:
    case 32: return withValue(t.background, 1.0 - valueOf(t.background));
    case 5: return withValue(t.foreground, 1.0 - valueOf(t.foreground));
    case 6: return withValue(t.background, valueOf(t.background) * 0.5);
    case 17: return withValue(t.background, valueOf(t.background) * 0.8);
    case 8: return withValue(t.foreground, valueOf(t.foreground) * 1.1);
    case 0:
    case 22: return towardForeground(t, 0.15);
    case 15: return towardForeground(t, 0.08);
    case 16: return towardForeground(t, 0.14);
    case 19: return towardForeground(t, 0.5);
    case 20: return towardForeground(t, 0.03);
    case 21: return towardForeground(t, 0.25);
    case 11: {
        const double s = valueOf(t.shadow);
        return withValue(t.shadow, s + (valueOf(t.foreground) - s) * 0.5);
    }
    default: return {0.0f, 0.0f, 0.0f, 1.0f};
    }
}

DRAWBOT_ColorRGBA themeColor(SuiteCache &suites, int index) { return paletteColor(index, readThemeInputs(suites)); }

} // namespace AEUtil
