// The colouring stages through iterate_generic: Colourise per depth and rule, the angle map's
// single call, un-premultiply, colour intensity and the depth-glow merge.
#include <gtest/gtest.h>

#include <random>

#include "StageTestSupport.h"
#include "render/color/ColorFinishStages.h"
#include "render/color/ColorizeStage.h"
#include "render/composite/CompositeStages.h"

using namespace stagetest;

namespace {

const PF_Pixel kRed{255, 255, 0, 0};
const PF_Pixel kBlue{255, 0, 0, 255};
const PF_Pixel kGreen200{255, 0, 200, 0};

ColorizeSettings rule(const ColorFlagList &g, ColorRule r) {
    ColorizeSettings s;
    s.rule = r;
    s.gradient = &g;
    return s;
}

} // namespace

TEST(ColorizeStage, NormalRuleAt8And16bpcWritesOnlyLitPixels) {
    const ColorFlagList g = twoStops(kGreen200, kGreen200);
    GlowPlane glow = plane(3, 1), unused = plane(3, 1);
    glow.row(0)[0] = 12345;
    glow.row(0)[2] = 32768;
    World<PF_Pixel8> out8(3, 1, {9, 9, 9, 9});
    ASSERT_EQ(
        colorizeStage<PF_Pixel8>(StageHost{}, out8.w, nullptr, glow, unused, {0, 0, 3, 1}, rule(g, ColorRule::Normal)),
        PF_Err_NONE);
    // alpha = (12345 * 255 + 16384) >> 15 = 3164359 >> 15 = 96
    EXPECT_EQ(out8.at(0, 0).alpha, 96);
    EXPECT_EQ(out8.at(0, 0).green, 200);
    EXPECT_EQ(out8.at(1, 0).alpha, 9) << "unlit pixels keep what the world held";
    EXPECT_EQ(out8.at(2, 0).alpha, 255);

    World<PF_Pixel16> out16(3, 1);
    ASSERT_EQ(colorizeStage<PF_Pixel16>(StageHost{}, out16.w, nullptr, glow, unused, {0, 0, 3, 1},
                                        rule(g, ColorRule::Normal)),
              PF_Err_NONE);
    EXPECT_EQ(out16.at(0, 0).alpha, 12345);
    EXPECT_EQ(out16.at(0, 0).green, 25700); // 6553728 / 255 = 25700.9
    EXPECT_EQ(out16.at(0, 0).red, 0);
}

TEST(ColorizeStage, AngleRuleIndexesByTheAnglePlane) {
    const ColorFlagList g = twoStops(kRed, kBlue);
    GlowPlane glow = plane(2, 1, 7), angle = plane(2, 1);
    angle.row(0)[0] = 32768; // position 0: red
    angle.row(0)[1] = 0;     // position 1: blue
    World<PF_PixelFloat> out(2, 1);
    ASSERT_EQ(colorizeStage<PF_PixelFloat>(StageHost{}, out.w, nullptr, glow, angle, {0, 0, 2, 1},
                                           rule(g, ColorRule::AngleMap)),
              PF_Err_NONE);
    EXPECT_FLOAT_EQ(out.at(0, 0).alpha, 7.0f / 32768.0f);
    EXPECT_FLOAT_EQ(out.at(0, 0).red, 1.0f);
    EXPECT_FLOAT_EQ(out.at(1, 0).blue, 1.0f);
    EXPECT_FLOAT_EQ(out.at(1, 0).red, 0.0f);
}

TEST(ColorizeStage, OriginalColorsSkipTransparentSource) {
    const ColorFlagList g = twoStops(kRed, kBlue);
    GlowPlane glow = plane(2, 1, 500), unused = plane(2, 1);
    World<PF_Pixel16> source(2, 1);
    source.at(0, 0) = {100, 1, 2, 3};
    source.at(1, 0) = {0, 4, 5, 6};
    World<PF_Pixel16> out(2, 1);
    ASSERT_EQ(colorizeStage<PF_Pixel16>(StageHost{}, out.w, &source.w, glow, unused, {0, 0, 2, 1},
                                        rule(g, ColorRule::OriginalColors)),
              PF_Err_NONE);
    EXPECT_EQ(out.at(0, 0).alpha, 500);
    EXPECT_EQ(out.at(0, 0).blue, 3);
    EXPECT_EQ(out.at(1, 0).alpha, 0);
}

TEST(ColorizeStage, BadInputsAreRefusedWithoutWriting) {
    const ColorFlagList g = twoStops(kRed, kBlue);
    GlowPlane glow = plane(1, 1, 500), unused = plane(1, 1);
    World<PF_Pixel8> out8(1, 1);
    EXPECT_EQ(colorizeStage<PF_Pixel8>(StageHost{}, out8.w, nullptr, glow, unused, {0, 0, 1, 1},
                                       rule(g, ColorRule::AngleMap)),
              PF_Err_BAD_CALLBACK_PARAM);
    World<PF_Pixel16> out16(1, 1);
    EXPECT_EQ(colorizeStage<PF_Pixel16>(StageHost{}, out16.w, nullptr, glow, unused, {0, 0, 1, 1},
                                        rule(g, ColorRule::OriginalColors)),
              PF_Err_BAD_CALLBACK_PARAM)
        << "original colours need a source";
    ColorizeSettings tinted = rule(g, ColorRule::Normal);
    tinted.tint = true; // without a HueWrapTable
    EXPECT_EQ(colorizeStage<PF_Pixel16>(StageHost{}, out16.w, nullptr, glow, unused, {0, 0, 1, 1}, tinted),
              PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(out8.at(0, 0).alpha, 0);
    EXPECT_EQ(out16.at(0, 0).alpha, 0);
}

TEST(AngleMapStage, IsolatedPixelGetsHalfATurnOnTheHostsWorkers) {
    embedhost::Host host(workers(4));
    GlowPlane combined = plane(5, 3), angles = plane(5, 3, 99);
    combined.row(1)[2] = 1000;
    ASSERT_EQ(angleMapStage(stagesOf(host), combined, angles), PF_Err_NONE);
    EXPECT_EQ(angles.row(1)[2], 16384); // atan2(0, 0) = 0
    EXPECT_EQ(angles.row(0)[0], 0) << "the angle plane is cleared first";
    EXPECT_EQ(combined.row(1)[2], 1000) << "the combined plane is not consumed";
}

TEST(ColorFinishStages, UnpremultiplyThenIntensity16) {
    World<PF_Pixel16> w(2, 1);
    w.at(0, 0) = {16384, 8192, 0, 16384};
    w.at(1, 0) = {0, 5, 6, 7};
    ASSERT_EQ(unpremultiplyStage<PF_Pixel16>(StageHost{}, w.w, {0, 0, 2, 1}), PF_Err_NONE);
    // 32768 / 16384 * c, capped at 32768
    EXPECT_EQ(w.at(0, 0).red, 16384);
    EXPECT_EQ(w.at(0, 0).blue, 32768);
    EXPECT_EQ(w.at(1, 0).red, 5) << "alpha 0 is left alone";

    w.at(0, 0) = {3277, 3277, 0, 32768};
    ASSERT_EQ(colorIntensityStage<PF_Pixel16>(StageHost{}, w.w, {0, 0, 2, 1}, 9.0), PF_Err_NONE);
    // trunc(log10(1.90005...) / log10(10) * 32768) = 9134; 32768 stays 32768
    EXPECT_EQ(w.at(0, 0).alpha, 9134);
    EXPECT_EQ(w.at(0, 0).red, 9134);
    EXPECT_EQ(w.at(0, 0).green, 0);
    EXPECT_EQ(w.at(0, 0).blue, 32768);
    EXPECT_EQ(w.at(1, 0).blue, 7);
}

TEST(ColorFinishStages, UnpremultiplyFloat) {
    World<PF_PixelFloat> w(1, 1);
    w.at(0, 0) = {0.5f, 0.25f, 0.75f, 0.0f};
    ASSERT_EQ(unpremultiplyStage<PF_PixelFloat>(StageHost{}, w.w, {0, 0, 1, 1}), PF_Err_NONE);
    EXPECT_FLOAT_EQ(w.at(0, 0).red, 0.5f);
    EXPECT_FLOAT_EQ(w.at(0, 0).green, 1.0f);
}

TEST(DepthMergeStage, OpaqueDepthTakesOverAndClearDepthLeavesMain16) {
    World<PF_Pixel16> main(2, 1), depth(2, 1);
    main.at(0, 0) = {16384, 0, 0, 0};
    depth.at(0, 0) = {32768, 32768, 0, 0};
    main.at(1, 0) = {20000, 1, 2, 3};
    ASSERT_EQ(depthGlowMergeStage<PF_Pixel16>(StageHost{}, main.w, depth.w, {0, 0, 2, 1}), PF_Err_NONE);
    EXPECT_EQ(main.at(0, 0).red, 32768);
    EXPECT_EQ(main.at(0, 0).alpha, 32768); // 32768 + 0 * m / 32768
    EXPECT_EQ(main.at(1, 0).alpha, 20000); // 0 + 32768 * 20000 / 32768
    EXPECT_EQ(main.at(1, 0).blue, 3);
}

TEST(ColorStageThreads, OneCallAndFourWorkersGiveTheSameBytes) {
    constexpr int W = 47, H = 29;
    const ColorFlagList g = twoStops(kRed, kBlue);
    std::mt19937 rng(5);
    GlowPlane glow = plane(W, H), angle = plane(W, H);
    World<PF_Pixel16> source(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            glow.row(y)[x] = rng() % 3 ? 0 : uint16_t(rng() % 32769);
            angle.row(y)[x] = uint16_t(rng() % 32769);
            source.at(x, y) = {A_u_short(rng() % 32769), A_u_short(rng() % 32769), 0, 0};
        }
    auto run = [&](const StageHost &host) {
        World<PF_Pixel16> out(W, H), depth(W, H, {9000, 1000, 2000, 3000});
        for (ColorRule r : {ColorRule::Normal, ColorRule::AngleMap, ColorRule::OriginalColors})
            EXPECT_EQ(colorizeStage<PF_Pixel16>(host, out.w, &source.w, glow, angle, {0, 0, W, H}, rule(g, r)),
                      PF_Err_NONE);
        EXPECT_EQ(unpremultiplyStage<PF_Pixel16>(host, out.w, {0, 0, W, H}), PF_Err_NONE);
        EXPECT_EQ(colorIntensityStage<PF_Pixel16>(host, out.w, {0, 0, W, H}, 3.0), PF_Err_NONE);
        EXPECT_EQ(depthGlowMergeStage<PF_Pixel16>(host, out.w, depth.w, {0, 0, W, H}), PF_Err_NONE);
        return out.bytes();
    };
    const auto serial = run(StageHost{});
    embedhost::Host host(workers(4));
    EXPECT_EQ(run(stagesOf(host)), serial);
}
