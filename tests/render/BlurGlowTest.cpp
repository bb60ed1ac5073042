// Both glow blurs on small lines whose results are worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "render/blur/BlurGlowPlane.h"
#include "render/blur/BlurGlowWorld.h"

namespace {

using namespace AEUtil;

GlowPlane rowPlane(int width, int height = 1) {
    GlowPlane p;
    p.resize(width, height, {});
    p.clear();
    p.bounds = {0, 0, width, height};
    return p;
}

MaskPlane openMask(int width, int height) {
    MaskPlane m;
    m.resize(width, height, {});
    fillOpenMask(m);
    return m;
}

TEST(BlurWidths, AspectSharesTheRadiusBetweenDirections) {
    auto w = glowBlurWidths(10, 0, true);
    EXPECT_DOUBLE_EQ(w.horizontal, 12);
    EXPECT_DOUBLE_EQ(w.vertical, 10);
    w = glowBlurWidths(10, 0, false);
    EXPECT_DOUBLE_EQ(w.horizontal, 10);
    EXPECT_DOUBLE_EQ(w.vertical, 10);
    w = glowBlurWidths(10, 100, true);
    EXPECT_DOUBLE_EQ(w.vertical, 2);
    EXPECT_NEAR(w.horizontal, 14.142135623730951, 1e-12);
    w = glowBlurWidths(10, 100, false);
    EXPECT_DOUBLE_EQ(w.vertical, 0);
    w = glowBlurWidths(10, -100, true);
    EXPECT_DOUBLE_EQ(w.horizontal, 2);
    EXPECT_NEAR(w.vertical, 14.142135623730951, 1e-12);
}

TEST(BlurGlowPlane, ImpulseInARowFollowsTheKernelRenormalisedAtTheEnds) {
    // r = 2, aspect 0: row width 4 (K = 4, weights 9352 7283 3440 985), column width 2; a
    // one-row plane's column pass returns every value unchanged. At x = 2 and 6 one tap of
    // weight 985 falls outside the line: (3440 * 32768 + 31783/2) / 31783 = 3547; at x = 1 and
    // 7 two (985 + 3440): (985 * 32768 + 28343/2) / 28343 = 1139.
    GlowPlane src = rowPlane(9), dst;
    src.row(0)[4] = 32768;
    src.rowFlags[0] = 1;
    src.colFlags[4] = 1;
    src.content = 1;
    MaskPlane mask = openMask(9, 1);
    ASSERT_EQ(BlurGlowPlane(StageHost{}, src, dst, 2.0, 0.0, nullptr, &mask), PF_Err_NONE);
    const uint16_t expected[9] = {0, 1139, 3547, 7283, 9352, 7283, 3547, 1139, 0};
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(dst.row(0)[x], expected[x]) << x;
        EXPECT_EQ(dst.colFlags[x], expected[x] ? 1 : 0) << x;
    }
    EXPECT_EQ(dst.rowFlags[0], 1);
    EXPECT_EQ(dst.status, 1);
    EXPECT_EQ(dst.content, 1);
}

TEST(BlurGlowPlane, RadiusBelowTwoCopiesValuesFlagsAndStatus) {
    GlowPlane src = rowPlane(5, 2), dst;
    src.row(1)[3] = 700;
    src.rowFlags[1] = 1;
    src.status = 0;
    src.content = 1;
    MaskPlane mask = openMask(5, 2);
    ASSERT_EQ(BlurGlowPlane(StageHost{}, src, dst, 1.5, 0.0, nullptr, &mask), PF_Err_NONE);
    EXPECT_EQ(dst.row(1)[3], 700);
    EXPECT_EQ(dst.row(1)[2], 0);
    EXPECT_EQ(dst.rowFlags[1], 1);
    EXPECT_EQ(dst.status, 0);
}

TEST(BlurGlowPlane, WideBoxFadesTowardsTheFarEndOnly) {
    // r = 400: row width 402 -> K = 402, t = 4, o = 3212. A line of 1000 samples of 1000:
    // at x = 0 the window holds 402 samples, box and peak means are 1000, so 1000. At x = 999
    // it holds 402 samples plus 401 virtual zeros: c = 4020 + 401, bm = 4020000 / 4421 = 909,
    // pm = 1000: (909 * 3212 + 1000 * 29556) / 32768 = 991.
    GlowPlane src = rowPlane(1000), dst;
    for (int x = 0; x < 1000; ++x)
        src.row(0)[x] = 1000;
    MaskPlane mask = openMask(1000, 1);
    ASSERT_EQ(BlurGlowPlane(StageHost{}, src, dst, 400.0, 0.0, nullptr, &mask), PF_Err_NONE);
    EXPECT_EQ(dst.row(0)[0], 1000);
    EXPECT_EQ(dst.row(0)[500], 1000);
    EXPECT_EQ(dst.row(0)[999], 991);
}

TEST(BlurGlowPlane, MaskedOutLineKeepsTheSourceAndZeroPlaneSetsNoFlags) {
    GlowPlane src = rowPlane(6, 3), dst;
    src.row(1)[2] = 5000;
    MaskPlane mask = openMask(6, 3);
    mask.rowFlags[1] = 0;
    mask.colFlags[2] = 0;
    ASSERT_EQ(BlurGlowPlane(StageHost{}, src, dst, 3.0, 0.0, nullptr, &mask), PF_Err_NONE);
    // Row 1 is skipped in the row pass (the temporary stays 0) and column 2 in the column pass.
    EXPECT_EQ(dst.row(1)[2], 5000);
    EXPECT_EQ(dst.row(0)[2], 0);
    EXPECT_EQ(dst.row(1)[1], 0);
    EXPECT_EQ(dst.rowFlags[0], 0);
    EXPECT_EQ(dst.rowFlags[1], 0);
}

// A one-row world of 16-bit pixels.
struct World16 {
    std::vector<PF_Pixel16> px;
    PF_EffectWorld w{};
    World16(int width, int height) : px(size_t(width * height), PF_Pixel16{0, 0, 0, 0}) {
        w.data = reinterpret_cast<PF_Pixel *>(px.data());
        w.width = width;
        w.height = height;
        w.rowbytes = width * 8;
    }
};

TEST(BlurGlowWorld, ImpulseRoundsToNearestAndSkipsMaskedSamples) {
    // r = 4, aspect 0: widths 4 and 4 (K = 4). Same renormalised values as the plane case,
    // in the red channel only.
    World16 in(9, 1), tmp(9, 1), out(9, 1);
    in.px[4].red = 32768;
    MaskPlane mask = openMask(9, 1);
    ASSERT_EQ(BlurGlowWorld(StageHost{}, out.w, in.w, tmp.w, {0, 0, 9, 1}, 4.0, 0.0, nullptr, &mask), PF_Err_NONE);
    const uint16_t expected[9] = {0, 1139, 3547, 7283, 9352, 7283, 3547, 1139, 0};
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(out.px[size_t(x)].red, expected[x]) << x;
        EXPECT_EQ(out.px[size_t(x)].alpha, 0) << x;
    }

    // Masking sample 3 removes weight 7283 from x = 4's window: (9352 * 32768 + 12742) / 25485
    // = 12025.0... -> 12025; x = 3 itself is not written.
    mask.row(0)[3] = 0;
    World16 out2(9, 1);
    out2.px[3].red = 77;
    ASSERT_EQ(BlurGlowWorld(StageHost{}, out2.w, in.w, tmp.w, {0, 0, 9, 1}, 4.0, 0.0, nullptr, &mask), PF_Err_NONE);
    EXPECT_EQ(out2.px[4].red, 12025);
    EXPECT_EQ(out2.px[3].red, 77);
}

TEST(BlurGlowWorld, RadiusBelowTwoCopiesOnlyMaskedPixels) {
    World16 in(3, 1), tmp(3, 1), out(3, 1);
    in.px = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
    MaskPlane mask = openMask(3, 1);
    mask.row(0)[1] = 0;
    ASSERT_EQ(BlurGlowWorld(StageHost{}, out.w, in.w, tmp.w, {0, 0, 3, 1}, 1.0, 0.0, nullptr, &mask), PF_Err_NONE);
    EXPECT_EQ(out.px[0].blue, 4);
    EXPECT_EQ(out.px[1].blue, 0);
    EXPECT_EQ(out.px[2].blue, 12);
}

TEST(BlurGlowWorld, FloatImpulseIsTheRenormalisedKernel) {
    std::vector<PF_PixelFloat> in(9, PF_PixelFloat{0, 0, 0, 0}), tmp = in, out = in;
    in[4].green = 1.0f;
    auto world = [](std::vector<PF_PixelFloat> &v) {
        PF_EffectWorld w{};
        w.data = reinterpret_cast<PF_Pixel *>(v.data());
        w.width = 9;
        w.height = 1;
        w.rowbytes = 9 * 16;
        return w;
    };
    PF_EffectWorld wi = world(in), wt = world(tmp), wo = world(out);
    MaskPlane mask = openMask(9, 1);
    ASSERT_EQ(BlurGlowWorldFloat(StageHost{}, wo, wi, wt, {0, 0, 9, 1}, 4.0, 0.0, nullptr, &mask), PF_Err_NONE);
    EXPECT_FLOAT_EQ(out[4].green, 9352.0f / 32768.0f);
    EXPECT_FLOAT_EQ(out[2].green, 3440.0f / 31783.0f);
    EXPECT_FLOAT_EQ(out[0].green, 0.0f);
}

} // namespace
