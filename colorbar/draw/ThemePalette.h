// The colour bar's interface colours (indices 0..39), derived from the host's theme so the
// control looks like the panel around it.
#pragma once

#include "AE_EffectSuites.h"

namespace AEUtil {

class SuiteCache;

struct ThemeInputs {
    DRAWBOT_ColorRGBA foreground;
    DRAWBOT_ColorRGBA shadow;
    DRAWBOT_ColorRGBA background;  // the panel, alpha 1
    DRAWBOT_ColorRGBA application; // the host's colour 55, alpha 1; the background when a query failed
};

// Reads the theme's foreground and shadow, the panel background and colour 55, afresh.
ThemeInputs readThemeInputs(SuiteCache &suites);

// The colour of `index` made from `theme`; indices outside 0..39 give opaque black.
DRAWBOT_ColorRGBA paletteColor(int index, const ThemeInputs &theme) noexcept;

// paletteColor of the host's current theme.
DRAWBOT_ColorRGBA themeColor(SuiteCache &suites, int index);

} // namespace AEUtil
