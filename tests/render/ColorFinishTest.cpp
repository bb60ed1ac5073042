// Un-premultiply, colour intensity and the depth-glow merge on hand-worked pixels.
#include "render/color/GlowColorFinish.h"

#include <gtest/gtest.h>

using namespace AEUtil;

TEST(Unpremultiply, Sixteen) {
    PF_Pixel16 p{16384, 8192, 20000, 0};
    unpremultiply(p);
    EXPECT_EQ(p.alpha, 16384);
    EXPECT_EQ(p.red, 16384);   // 2 * 8192
    EXPECT_EQ(p.green, 32768); // 40000 capped
    EXPECT_EQ(p.blue, 0);

    PF_Pixel16 third{3, 1, 2, 3};
    unpremultiply(third);
    EXPECT_EQ(third.red, 10922); // 10922.67 truncated
    EXPECT_EQ(third.green, 21845);
    EXPECT_EQ(third.blue, 32768);
}

TEST(Unpremultiply, AlphaZeroAndFull) {
    PF_Pixel16 zero{0, 500, 600, 700};
    unpremultiply(zero);
    EXPECT_EQ(zero.red, 500);
    EXPECT_EQ(zero.blue, 700);
    PF_Pixel16 full{32768, 12345, 1, 32768};
    unpremultiply(full);
    EXPECT_EQ(full.red, 12345);
    EXPECT_EQ(full.green, 1);
    EXPECT_EQ(full.blue, 32768);

    PF_PixelFloat fz{0.0f, 0.3f, 0.4f, 0.5f};
    unpremultiply(fz);
    EXPECT_EQ(fz.red, 0.3f);
    PF_PixelFloat ff{1.0f, 0.3f, 0.4f, 0.5f};
    unpremultiply(ff);
    EXPECT_EQ(ff.red, 0.3f);
    EXPECT_EQ(ff.blue, 0.5f);
    PF_PixelFloat fh{0.5f, 0.25f, 0.75f, 0.0f};
    unpremultiply(fh);
    EXPECT_EQ(fh.red, 0.5f);
    EXPECT_EQ(fh.green, 1.0f);
}

TEST(ColorIntensity, CurveOnEveryChannelOfCoveredPixels) {
    const struct {
        const char *why;
        double intensity;
        PF_Pixel16 in, out16;
        PF_PixelFloat inFloat, outFloat;
    } cases[] = {
        // log10(5.5) * 32768 = 24260.2
        {"nine makes the denominator one",
         9.0,
         {32768, 16384, 0, 32768},
         {32768, 24260, 0, 32768},
         {1.0f, 0.5f, 0.0f, 1.0f},
         {1.0f, 0.74036269f, 0.0f, 1.0f}},
        {"alpha zero is left alone",
         9.0,
         {0, 16384, 1, 2},
         {0, 16384, 1, 2},
         {0.0f, 0.5f, 0.1f, 0.2f},
         {0.0f, 0.5f, 0.1f, 0.2f}},
        {"zero intensity removes the glow",
         0.0,
         {32768, 16384, 5, 32768},
         {0, 0, 0, 0},
         {1.0f, 0.5f, 0.1f, 0.2f},
         {0.0f, 0.0f, 0.0f, 0.0f}},
    };
    for (const auto &c : cases) {
        const ColorIntensity curve(c.intensity);
        PF_Pixel16 p = c.in;
        curve.apply(p);
        EXPECT_EQ(p.alpha, c.out16.alpha) << c.why;
        EXPECT_EQ(p.red, c.out16.red) << c.why;
        EXPECT_EQ(p.green, c.out16.green) << c.why;
        EXPECT_EQ(p.blue, c.out16.blue) << c.why;
        PF_PixelFloat f = c.inFloat;
        curve.apply(f);
        EXPECT_FLOAT_EQ(f.alpha, c.outFloat.alpha) << c.why;
        EXPECT_FLOAT_EQ(f.red, c.outFloat.red) << c.why;
        EXPECT_FLOAT_EQ(f.green, c.outFloat.green) << c.why;
        EXPECT_FLOAT_EQ(f.blue, c.outFloat.blue) << c.why;
    }
}

TEST(MergeDepthGlow, Sixteen) {
    // w = (16384 * 16384) >> 15 = 8192; red = 32768 * 8192 / 24576, blue = 32768 * 16384 / 24576.
    PF_Pixel16 main{16384, 32768, 0, 0};
    mergeDepthGlow(main, PF_Pixel16{16384, 0, 0, 32768});
    EXPECT_EQ(main.red, 10922);
    EXPECT_EQ(main.blue, 21845);
    EXPECT_EQ(main.alpha, 24576); // 16384 + 16384 * 16384 / 32768

    PF_Pixel16 keep{1000, 1, 2, 3};
    mergeDepthGlow(keep, PF_Pixel16{0, 9, 9, 9});
    EXPECT_EQ(keep.red, 1);
    EXPECT_EQ(keep.alpha, 1000);

    PF_Pixel16 cover{1000, 1, 2, 3};
    mergeDepthGlow(cover, PF_Pixel16{32768, 7, 8, 9});
    EXPECT_EQ(cover.red, 7);
    EXPECT_EQ(cover.blue, 9);
    EXPECT_EQ(cover.alpha, 32768);
}

TEST(MergeDepthGlow, Eight) {
    // w = (127 * 255) >> 8 = 126; red = (100 * 128 + 200 * 126) / 254 = 149.6
    PF_Pixel8 main{255, 200, 0, 0};
    mergeDepthGlow(main, PF_Pixel8{128, 100, 0, 0});
    EXPECT_EQ(main.red, 149);
    EXPECT_EQ(main.alpha, 255); // 128 + 127 * 255 / 255

    PF_Pixel8 faint{100, 0, 0, 0};
    mergeDepthGlow(faint, PF_Pixel8{50, 0, 0, 0});
    EXPECT_EQ(faint.alpha, 130); // 50 + 20500 / 255 = 130.4
}

TEST(MergeDepthGlow, Float) {
    // w = 0.5 * 0.5; red = 0.25 / 0.75, blue = 0.5 / 0.75
    PF_PixelFloat main{0.5f, 1.0f, 0.0f, 0.0f};
    mergeDepthGlow(main, PF_PixelFloat{0.5f, 0.0f, 0.0f, 1.0f});
    EXPECT_FLOAT_EQ(main.red, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(main.blue, 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(main.alpha, 0.75f);
}
