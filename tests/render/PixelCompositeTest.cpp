// Pixel composite (alpha, lower-colour preparation, un-premultiply), Opacity and the
// "Threshold" view fold, on hand-worked pixels.
#include "render/composite/PixelComposite.h"

#include <gtest/gtest.h>

using namespace AEUtil;

namespace {

PF_Pixel8 grey8(int a, int c) {
    return {static_cast<A_u_char>(a), static_cast<A_u_char>(c), static_cast<A_u_char>(c), static_cast<A_u_char>(c)};
}

PF_Pixel16 grey16(int a, int c) {
    return {static_cast<A_u_short>(a), static_cast<A_u_short>(c), static_cast<A_u_short>(c), static_cast<A_u_short>(c)};
}

} // namespace

TEST(CompositePixel8, TransparentGlowOverOpaqueLeavesOutputInEveryMode) {
    for (A_long mode = 0; mode <= 13; ++mode) {
        PF_Pixel8 out{255, 10, 128, 250};
        compositePixel(out, grey8(0, 200), mode);
        EXPECT_EQ(out.alpha, 255) << mode;
        EXPECT_EQ(out.red, 10) << mode;
        EXPECT_EQ(out.green, 128) << mode;
        EXPECT_EQ(out.blue, 250) << mode;
    }
}

TEST(CompositePixel8, TransparentGlowStillPullsPartlyTransparentOutput) {
    PF_Pixel8 white = grey8(0, 0);
    compositePixel(white, grey8(0, 200), kBlendMultiply);
    EXPECT_EQ(white.red, 255);
    EXPECT_EQ(white.alpha, 0);

    PF_Pixel8 grey = grey8(0, 0);
    compositePixel(grey, grey8(0, 200), kBlendOverlay);
    EXPECT_EQ(grey.red, 127);

    // Premultiply then divide: 200*100/255 = 78, 78 / (100/255) = 198.9 -> two steps lost.
    PF_Pixel8 lossy = grey8(100, 200);
    compositePixel(lossy, grey8(0, 50), kBlendScreen);
    EXPECT_EQ(lossy.alpha, 100);
    EXPECT_EQ(lossy.red, 198);
}

TEST(CompositePixel8, HandWorkedModesOnGreys) {
    const struct {
        const char *why;
        PF_Pixel8 out, glow;
        A_long mode;
        int alpha, color;
    } cases[] = {
        {"normal: an opaque glow replaces", grey8(128, 100), grey8(255, 200), kBlendNormal, 255, 200},
        // A' = 128 + 127*128/255 = 191; c = 100*128/255 = 50; r = 53750 >> 8 = 209;
        // w = 16256 >> 8 = 63; (209*128 + 50*63) / 191 = 156; 156 * 255 / 191 = 208.3
        {"screen premultiplies and divides", grey8(128, 100), grey8(128, 200), kBlendScreen, 191, 208},
        // c = 255 + (-155*128)/255 = 255 - 77 = 178; (200*178) >> 8 = 139
        {"multiply pulls toward white first", grey8(128, 100), grey8(255, 200), kBlendMultiply, 255, 139},
        {"add scales the glow by its alpha", grey8(255, 40), grey8(128, 200), kBlendAdd, 255, 140},
    };
    for (const auto &c : cases) {
        PF_Pixel8 out = c.out;
        compositePixel(out, c.glow, c.mode);
        EXPECT_EQ(out.alpha, c.alpha) << c.why;
        EXPECT_EQ(out.red, c.color) << c.why;
        EXPECT_EQ(out.green, c.color) << c.why;
        EXPECT_EQ(out.blue, c.color) << c.why;
    }
}

TEST(CompositePixel16, NormalHalfOverHalf) {
    // A' = 16384 + 16384*16384/32768 = 24576; w = 8192;
    // (20000*16384 + 10000*8192) / 24576 = 16666.7
    PF_Pixel16 out = grey16(16384, 10000);
    compositePixel(out, grey16(16384, 20000), kBlendNormal);
    EXPECT_EQ(out.alpha, 24576);
    EXPECT_EQ(out.red, 16666);
}

TEST(CompositePixel16, TransparentGlow) {
    PF_Pixel16 grey = grey16(0, 0);
    compositePixel(grey, grey16(0, 100), kBlendSoftLight);
    EXPECT_EQ(grey.red, 16384);
    for (A_long mode = 0; mode <= 13; ++mode) {
        PF_Pixel16 out = grey16(32768, 12345);
        compositePixel(out, grey16(0, 100), mode);
        EXPECT_EQ(out.alpha, 32768) << mode;
        EXPECT_EQ(out.red, 12345) << mode;
    }
}

TEST(CompositePixelFloat, ScreenHalfOverHalf) {
    // A' = 0.75; c = 0.25; r = 0.625; w = 0.25; (0.3125 + 0.0625) / 0.75 = 0.5; 0.5 / 0.75
    PF_PixelFloat out{0.5f, 0.5f, 0.5f, 0.5f};
    const PF_PixelFloat glow{0.5f, 0.5f, 0.5f, 0.5f};
    compositePixel(out, glow, kBlendScreen);
    EXPECT_FLOAT_EQ(out.alpha, 0.75f);
    EXPECT_FLOAT_EQ(out.red, 2.0f / 3.0f);
}

TEST(CompositePixelFloat, TransparentGlowTowardGrey) {
    PF_PixelFloat out{0.0f, 1.0f, 1.0f, 1.0f};
    const PF_PixelFloat glow{0.0f, 0.2f, 0.2f, 0.2f};
    compositePixel(out, glow, kBlendHardLight);
    EXPECT_FLOAT_EQ(out.red, 0.5f);
    EXPECT_FLOAT_EQ(out.alpha, 0.0f);
}

TEST(CompositeRow, AppliesEveryPixel) {
    PF_Pixel8 out[2] = {grey8(128, 100), grey8(255, 40)};
    const PF_Pixel8 glow[2] = {grey8(255, 200), grey8(128, 200)};
    compositeRow(out, glow, 2, kBlendAdd);
    EXPECT_EQ(out[0].alpha, 255);
    EXPECT_EQ(out[0].red, 249); // 50 premultiplied + 199 of glow
    EXPECT_EQ(out[1].red, 140);
}

TEST(Opacity, HundredSkipsButNinetyNinePointNineNineNineRuns) {
    EXPECT_FALSE(opacityStageRuns(100.0));
    EXPECT_TRUE(opacityStageRuns(99.999));
    EXPECT_TRUE(opacityStageRuns(0.0));
}

TEST(Opacity, NinetyNinePointNineNineNineRoundsToFullInIntegerForms) {
    // 0.99999 * 255 + 0.5 = 255.497 and 0.99999 * 32768 + 0.5 = 32768.17: both factors full.
    PF_Pixel8 p8[2] = {grey8(255, 1), grey8(200, 1)};
    applyOpacityRow(p8, 2, 99.999);
    EXPECT_EQ(p8[0].alpha, 255);
    EXPECT_EQ(p8[1].alpha, 200);
    PF_Pixel16 p16 = grey16(32768, 1);
    applyOpacityRow(&p16, 1, 99.999);
    EXPECT_EQ(p16.alpha, 32768);
    PF_PixelFloat pf{1.0f, 0, 0, 0};
    applyOpacityRow(&pf, 1, 99.999);
    EXPECT_FLOAT_EQ(pf.alpha, 0.99999f);
    EXPECT_LT(pf.alpha, 1.0f);
}

TEST(Opacity, HalfAndZero) {
    PF_Pixel8 p8[2] = {grey8(255, 7), grey8(3, 7)};
    applyOpacityRow(p8, 2, 50.0); // k = trunc(127.5 + 0.5) = 128
    EXPECT_EQ(p8[0].alpha, 128);
    EXPECT_EQ(p8[1].alpha, 1); // 384 / 255
    EXPECT_EQ(p8[0].red, 7);
    PF_Pixel8 almost = grey8(255, 0);
    applyOpacityRow(&almost, 1, 99.8); // k = trunc(254.49 + 0.5) = 254
    EXPECT_EQ(almost.alpha, 254);
    PF_Pixel16 p16[2] = {grey16(32768, 7), grey16(3, 7)};
    applyOpacityRow(p16, 2, 50.0);
    EXPECT_EQ(p16[0].alpha, 16384);
    EXPECT_EQ(p16[1].alpha, 1);
    PF_PixelFloat pf{0.5f, 0, 0, 0};
    applyOpacityRow(&pf, 1, 0.0);
    EXPECT_EQ(pf.alpha, 0.0f);
    PF_Pixel16 zero = grey16(32768, 0);
    applyOpacityRow(&zero, 1, 0.0);
    EXPECT_EQ(zero.alpha, 0);
}

TEST(ThresholdView, RaisesColorToGlowAlphaByRed) {
    PF_Pixel8 raised{77, 100, 250, 0};
    thresholdViewPixel(raised, grey8(150, 0));
    EXPECT_EQ(raised.alpha, 77);
    EXPECT_EQ(raised.red, 150);
    EXPECT_EQ(raised.green, 150); // lowered: all three follow red's comparison
    EXPECT_EQ(raised.blue, 150);
    PF_Pixel8 kept{77, 150, 0, 0};
    thresholdViewPixel(kept, grey8(150, 0));
    EXPECT_EQ(kept.red, 150);
    EXPECT_EQ(kept.green, 0);
    PF_Pixel16 p16 = grey16(1, 10);
    thresholdViewPixel(p16, grey16(20000, 0));
    EXPECT_EQ(p16.blue, 20000);
    PF_PixelFloat pf{1.0f, 0.25f, 0.25f, 0.25f};
    thresholdViewPixel(pf, PF_PixelFloat{0.5f, 0, 0, 0});
    EXPECT_EQ(pf.green, 0.5f);
}
