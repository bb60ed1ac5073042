// RGB to HSV with the decimal sixth, and back with the hue taken modulo 1.
#include <gtest/gtest.h>

#include "colorbar/ColorHsv.h"

namespace {

using namespace AEUtil;

TEST(RgbToHsv, PrimaryRedIsHueZero) {
    const HsvColor c = rgbToHsv(1, 0, 0);
    EXPECT_EQ(c.hue, 0.0);
    EXPECT_EQ(c.saturation, 1.0);
    EXPECT_EQ(c.value, 1.0);
}

TEST(RgbToHsv, BlueUsesTheDecimalSixthNotOneSixth) {
    const HsvColor c = rgbToHsv(0, 0, 1);
    // 4 * 0.166666666666667: scaling by 4 is exact, so this is the double nearest that decimal.
    EXPECT_EQ(c.hue, 0.666666666666668);
    EXPECT_NE(c.hue, 2.0 / 3.0);
    EXPECT_EQ(c.saturation, 1.0);
    EXPECT_EQ(c.value, 1.0);
}

TEST(RgbToHsv, BlackHasNoHueOrSaturation) {
    const HsvColor c = rgbToHsv(0, 0, 0);
    EXPECT_EQ(c.hue, 0.0);
    EXPECT_EQ(c.saturation, 0.0);
    EXPECT_EQ(c.value, 0.0);
}

TEST(RgbToHsv, NegativeHueWrapsIntoZeroToOne) {
    // max red, d = 1: h = (0 - 0.5) / 1 = -0.5, times the sixth, plus 1.
    const HsvColor c = rgbToHsv(1, 0, 0.5);
    EXPECT_DOUBLE_EQ(c.hue, 1.0 - 0.5 * 0.166666666666667);
    EXPECT_DOUBLE_EQ(c.saturation, 1.0);
}

TEST(RgbToHsv, GreyHasZeroSaturation) {
    const HsvColor c = rgbToHsv(0.25, 0.25, 0.25);
    EXPECT_EQ(c.hue, 0.0);
    EXPECT_EQ(c.saturation, 0.0);
    EXPECT_EQ(c.value, 0.25);
}

void expectRgb(const RgbaColor &c, double r, double g, double b) {
    EXPECT_DOUBLE_EQ(c.red, r);
    EXPECT_DOUBLE_EQ(c.green, g);
    EXPECT_DOUBLE_EQ(c.blue, b);
    EXPECT_EQ(c.alpha, 1.0);
}

void expectRgbNear(const RgbaColor &c, double r, double g, double b) {
    EXPECT_NEAR(c.red, r, 1e-12);
    EXPECT_NEAR(c.green, g, 1e-12);
    EXPECT_NEAR(c.blue, b, 1e-12);
    EXPECT_EQ(c.alpha, 1.0);
}

TEST(HsvToRgb, HalfHueIsCyan) { expectRgb(hsvToRgb(0.5, 1, 1), 0, 1, 1); }

TEST(HsvToRgb, HueOneIsTakenAsZero) {
    expectRgb(hsvToRgb(1.0, 1, 1), 1, 0, 0);
    expectRgb(hsvToRgb(0.0, 1, 1), 1, 0, 0);
}

TEST(HsvToRgb, IntegerPartOfTheHueIsDropped) {
    // 1.25 -> 0.25: sector 1, f = 0.5, q = 0.5.
    expectRgb(hsvToRgb(1.25, 1, 1), 0.5, 1, 0);
}

TEST(HsvToRgb, EverySectorInOrder) {
    // s = 1, v = 1 and f = 0.5 in each sector: p = 0, q = t = 0.5.
    expectRgbNear(hsvToRgb(0.5 / 6, 1, 1), 1, 0.5, 0);
    expectRgbNear(hsvToRgb(1.5 / 6, 1, 1), 0.5, 1, 0);
    expectRgbNear(hsvToRgb(2.5 / 6, 1, 1), 0, 1, 0.5);
    expectRgbNear(hsvToRgb(3.5 / 6, 1, 1), 0, 0.5, 1);
    expectRgbNear(hsvToRgb(4.5 / 6, 1, 1), 0.5, 0, 1);
    expectRgbNear(hsvToRgb(5.5 / 6, 1, 1), 1, 0, 0.5);
}

TEST(HsvToRgb, NegativeHueFallsOutsideTheSectorsAndGivesBlack) {
    // -0.25 keeps its sign after dropping the integer part: sector trunc(-1.5) = -1.
    expectRgb(hsvToRgb(-0.25, 1, 1), 0, 0, 0);
}

TEST(HsvToRgb, ZeroSaturationIsGrey) { expectRgb(hsvToRgb(0.3, 0, 0.4), 0.4, 0.4, 0.4); }

} // namespace
