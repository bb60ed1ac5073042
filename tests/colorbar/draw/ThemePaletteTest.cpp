// The interface palette derived from a theme, rule by rule.
#include <gtest/gtest.h>

#include "colorbar/draw/ThemePalette.h"

namespace {

using namespace AEUtil;

TEST(ThemePalette, EachRuleOnAGreyTheme) {
    const ThemeInputs theme{
        {0.8f, 0.8f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.5f}, {0.2f, 0.2f, 0.2f, 1.0f}, {0.3f, 0.4f, 0.5f, 1.0f}};
    struct Case {
        int index;
        float grey, alpha; // grey < 0: not a grey, see `rgb`
        const char *rule;
    };
    for (const Case &c : {Case{2, 0.8f, 1.0f, "foreground"}, Case{1, 0.0f, 0.5f, "shadow, its alpha kept"},
                          Case{30, 0.2f, 1.0f, "background"}, Case{3, 0.8f, 1.0f, "background value inverted"},
                          Case{5, 0.2f, 1.0f, "foreground value inverted"}, Case{6, 0.1f, 1.0f, "background x 0.5"},
                          Case{17, 0.16f, 1.0f, "background x 0.8"}, Case{8, 0.88f, 1.0f, "foreground x 1.1"},
                          Case{0, 0.29f, 1.0f, "15% toward the foreground"}, Case{20, 0.218f, 1.0f, "3%"},
                          Case{19, 0.5f, 1.0f, "half way"}, Case{11, 0.4f, 1.0f, "shadow half way to the foreground"},
                          Case{40, 0.0f, 1.0f, "outside the palette: black"}, Case{-1, 0.0f, 1.0f, "black"}}) {
        const DRAWBOT_ColorRGBA got = paletteColor(c.index, theme);
        EXPECT_NEAR(got.red, c.grey, 1e-6) << c.index << ": " << c.rule;
        EXPECT_NEAR(got.blue, c.grey, 1e-6) << c.index << ": " << c.rule;
        EXPECT_EQ(got.alpha, c.alpha) << c.index << ": " << c.rule;
    }
    const DRAWBOT_ColorRGBA app = paletteColor(26, theme);
    EXPECT_EQ(app.green, 0.4f) << "the host's colour 55";
    const DRAWBOT_ColorRGBA brightest = paletteColor(8, {{1, 1, 1, 1}, {}, {}, {}});
    EXPECT_EQ(brightest.red, 1.0f) << "a raised value is clamped to 1";
}

} // namespace
