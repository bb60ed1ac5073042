// Colourise on a red-to-blue gradient: each rule at each depth, the tint, and the byte scaling.
#include "render/color/GlowColorize.h"

#include <gtest/gtest.h>

#include <vector>

using namespace AEUtil;

namespace {

// Red at 0, blue at 1: position 0.5 blends to 127.5 -> 127 in red and blue.
ColorFlagList redToBlue() {
    ColorFlagList l;
    initColorFlagList(l);
    l.count = 2;
    l.flags = kColorFlagListSorted;
    l.flag[0] = {255, 255, 0, 0, 0.0f, 0, 0};
    l.flag[1] = {255, 0, 0, 255, 1.0f, 1, 0};
    return l;
}

ColorizeSettings settings(const ColorFlagList &g, ColorRule rule) {
    ColorizeSettings s;
    s.rule = rule;
    s.gradient = &g;
    return s;
}

const std::vector<int8_t> &zeroWrap() {
    static const std::vector<int8_t> t(32769, 0);
    return t;
}

} // namespace

TEST(Colorize, ByteTo16RoundsDown) {
    EXPECT_EQ(byteTo16(0), 0);
    EXPECT_EQ(byteTo16(255), 32768); // 8355968 / 255 = 32768.5
    EXPECT_EQ(byteTo16(254), 32640); // 8323200 / 255 exactly
    EXPECT_EQ(byteTo16(127), 16320); // 4161664 / 255 = 16320.25
    EXPECT_EQ(byteTo16(128), 16448); // 4194432 / 255 = 16448.75
}

TEST(Colorize, GradientPositionEnds) {
    EXPECT_EQ(gradientPosition(32768), 0.0f);
    EXPECT_EQ(gradientPosition(0), 1.0f);
    EXPECT_EQ(gradientPosition(1), 1.0f - 1.0f / 32768.0f);
}

TEST(Colorize, Normal16) {
    const ColorFlagList g = redToBlue();
    const uint16_t glow[4] = {32768, 16384, 1, 0};
    PF_Pixel16 out[4] = {};
    out[3] = {7, 8, 9, 10};
    colorizeRow(out, nullptr, glow, nullptr, 4, settings(g, ColorRule::Normal));
    EXPECT_EQ(out[0].alpha, 32768);
    EXPECT_EQ(out[0].red, 32768);
    EXPECT_EQ(out[0].blue, 0);
    EXPECT_EQ(out[1].alpha, 16384);
    EXPECT_EQ(out[1].red, 16320);
    EXPECT_EQ(out[1].green, 0);
    EXPECT_EQ(out[1].blue, 16320);
    // Position 1 - 2^-15: blue 255 * 0.99997 = 254.99 -> 254 -> 32640, red 0.
    EXPECT_EQ(out[2].alpha, 1);
    EXPECT_EQ(out[2].red, 0);
    EXPECT_EQ(out[2].blue, 32640);
    // Unlit: untouched.
    EXPECT_EQ(out[3].alpha, 7);
    EXPECT_EQ(out[3].blue, 10);
}

TEST(Colorize, Normal8AlphaRounds) {
    const ColorFlagList g = redToBlue();
    const uint16_t glow[3] = {32768, 16384, 1};
    PF_Pixel8 out[3] = {};
    colorizeRow(out, glow, 3, settings(g, ColorRule::Normal));
    EXPECT_EQ(out[0].alpha, 255); // (8355840 + 16384) >> 15 = 255.5 -> 255
    EXPECT_EQ(out[0].red, 255);
    EXPECT_EQ(out[1].alpha, 128);
    EXPECT_EQ(out[1].red, 127);
    EXPECT_EQ(out[1].blue, 127);
    EXPECT_EQ(out[2].alpha, 0);  // (255 + 16384) >> 15
    EXPECT_EQ(out[2].blue, 254); // still written: the pixel is lit
}

TEST(Colorize, AngleMapIndexesByAngle) {
    const ColorFlagList g = redToBlue();
    const uint16_t glow[2] = {5, 300};
    const uint16_t angle[2] = {0, 32768};
    PF_Pixel16 out[2] = {};
    colorizeRow(out, nullptr, glow, angle, 2, settings(g, ColorRule::AngleMap));
    EXPECT_EQ(out[0].alpha, 5);
    EXPECT_EQ(out[0].red, 0);
    EXPECT_EQ(out[0].blue, 32768); // angle 0 -> position 1 -> blue
    EXPECT_EQ(out[1].alpha, 300);
    EXPECT_EQ(out[1].red, 32768);
    EXPECT_EQ(out[1].blue, 0);
}

TEST(Colorize, OriginalColorsSkipsTransparentSource) {
    const ColorFlagList g = redToBlue();
    const uint16_t glow[3] = {1000, 2000, 0};
    const PF_Pixel16 src[3] = {{0, 100, 200, 300}, {1, 400, 500, 600}, {32768, 1, 2, 3}};
    PF_Pixel16 out[3] = {};
    colorizeRow(out, src, glow, nullptr, 3, settings(g, ColorRule::OriginalColors));
    EXPECT_EQ(out[0].alpha, 0);
    EXPECT_EQ(out[0].red, 0);
    EXPECT_EQ(out[1].alpha, 2000);
    EXPECT_EQ(out[1].red, 400);
    EXPECT_EQ(out[1].green, 500);
    EXPECT_EQ(out[1].blue, 600);
    EXPECT_EQ(out[2].red, 0);
}

TEST(Colorize, FloatForm) {
    const ColorFlagList g = redToBlue();
    const uint16_t glow[1] = {16384};
    PF_PixelFloat out[1] = {};
    colorizeRow(out, nullptr, glow, nullptr, 1, settings(g, ColorRule::Normal));
    EXPECT_EQ(out[0].alpha, 0.5f);
    EXPECT_EQ(out[0].red, 16320.0f / 32768.0f);
    EXPECT_EQ(out[0].blue, 16320.0f / 32768.0f);

    const PF_PixelFloat src[2] = {{0.0f, 0.2f, 0.3f, 0.4f}, {0.5f, 0.6f, 0.7f, 0.8f}};
    const uint16_t glow2[2] = {8192, 8192};
    PF_PixelFloat out2[2] = {};
    colorizeRow(out2, src, glow2, nullptr, 2, settings(g, ColorRule::OriginalColors));
    EXPECT_EQ(out2[0].alpha, 0.0f);
    EXPECT_EQ(out2[1].alpha, 0.25f);
    EXPECT_EQ(out2[1].green, 0.7f);
}

TEST(Tint, FormulaWithWrap) {
    const HsvColor color{0.25, 0.5, 0.8};
    const HsvColor tint{0.75, 0.5, 0.5};
    // wrap 0: E = 0.25, hue = 0.5 * 0.5 + 0.25
    HsvColor h = tintHsv(color, tint, 0);
    EXPECT_DOUBLE_EQ(h.hue, 0.5);
    EXPECT_DOUBLE_EQ(h.saturation, 0.5); // min(1.0, 1) * 0.5
    EXPECT_DOUBLE_EQ(h.value, 0.8);
    // wrap -1: E = -0.75, hue = 1.5 * 0.5 - 0.75 = 0
    EXPECT_DOUBLE_EQ(tintHsv(color, tint, -1).hue, 0.0);
    // wrap -2: E = -1.75, hue = -0.5, raised to 0.5
    EXPECT_DOUBLE_EQ(tintHsv(color, tint, -2).hue, 0.5);
}

TEST(Tint, TintOfAFullGlow16) {
    const struct {
        const char *why;
        PF_Pixel tint;
        PF_Pixel16 expected;
    } cases[] = {
        // 16448 / 32768 = 0.501953125 grey: red (H 0, S 1, V 1) -> S 0.501953125, so
        // green = blue = 1 - S = 0.498046875 -> 16320.
        {"a grey tint keeps the hue and scales saturation", {255, 128, 128, 128}, {32768, 32768, 16320, 16320}},
        {"a saturated tint takes its hue (St 1)", {255, 0, 255, 0}, {32768, 0, 32768, 0}},
    };
    const ColorFlagList g = redToBlue();
    for (const auto &c : cases) {
        ColorizeSettings s = settings(g, ColorRule::Normal);
        s.tint = true;
        s.tintColor = c.tint;
        s.hueWrap = zeroWrap().data();
        const uint16_t glow[1] = {32768};
        PF_Pixel16 out[1] = {};
        colorizeRow(out, nullptr, glow, nullptr, 1, s);
        EXPECT_EQ(out[0].alpha, c.expected.alpha) << c.why;
        EXPECT_EQ(out[0].red, c.expected.red) << c.why;
        EXPECT_EQ(out[0].green, c.expected.green) << c.why;
        EXPECT_EQ(out[0].blue, c.expected.blue) << c.why;
    }
}

TEST(Tint, GreyTint8) {
    const ColorFlagList g = redToBlue();
    ColorizeSettings s = settings(g, ColorRule::Normal);
    s.tint = true;
    s.tintColor = {255, 128, 128, 128}; // Vt = 128/255
    s.hueWrap = zeroWrap().data();
    const uint16_t glow[1] = {32768};
    PF_Pixel8 out[1] = {};
    colorizeRow(out, glow, 1, s);
    // green = 1 - 128/255 = 127/255 -> 127.0 + 0.5 -> 127
    EXPECT_EQ(out[0].alpha, 255);
    EXPECT_EQ(out[0].red, 255);
    EXPECT_EQ(out[0].green, 127);
    EXPECT_EQ(out[0].blue, 127);
}

TEST(Tint, HueWrapEntryOfTheGlowValueShiftsTheHue) {
    // Tint bytes (255, 128, 128): St = 16320 / 32768 = 0.498046875, Ht 0, Vt 1.
    // Pixel v = 1: blue 32640 (H 2/3, S 1, V 0.99609375). hue = E * 0.501953125, E = wrap + H.
    const ColorFlagList g = redToBlue();
    ColorizeSettings s = settings(g, ColorRule::Normal);
    s.tint = true;
    s.tintColor = {255, 255, 128, 128};
    const uint16_t glow[1] = {1};

    // wrap 0: hue 0.3346354, sector 2 with f = 0.0078125: (0, V, V * f) = (0, 32640, 255).
    std::vector<int8_t> wrap(32769, 0);
    s.hueWrap = wrap.data();
    PF_Pixel16 out[1] = {};
    colorizeRow(out, nullptr, glow, nullptr, 1, s);
    EXPECT_EQ(out[0].alpha, 1);
    EXPECT_EQ(out[0].red, 0);
    EXPECT_EQ(out[0].green, 32640);
    EXPECT_EQ(out[0].blue, 255);

    // wrap -1 at v = 1: hue -0.1673177 raised to 0.8326823, sector 4 with f = 0.99609375:
    // (V * f, 0, V) with V * f = (255/256)^2 = 65025/65536: 32512.5 + 0.5 -> 32513.
    wrap[1] = -1;
    colorizeRow(out, nullptr, glow, nullptr, 1, s);
    EXPECT_EQ(out[0].red, 32513);
    EXPECT_EQ(out[0].green, 0);
    EXPECT_EQ(out[0].blue, 32640);
}
