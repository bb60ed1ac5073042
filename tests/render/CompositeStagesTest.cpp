// Opacity, the final composite's three views and the 8/16-bit conversions, on hand-worked
// values, and the same bytes from one call and from several workers.
#include <gtest/gtest.h>

#include <random>

#include "StageTestSupport.h"
#include "render/composite/CompositeStages.h"
#include "render/source/FormatConvert.h"

using namespace stagetest;

TEST(OpacityStage, ScalesAlphaOnlyAtEachDepth) {
    World<PF_Pixel8> w8(1, 1, {200, 1, 2, 3});
    ASSERT_EQ(opacityStage<PF_Pixel8>(StageHost{}, w8.w, {0, 0, 1, 1}, 50.0), PF_Err_NONE);
    // k = trunc(127.5 + 0.5) = 128; 128 * 200 / 255 = 100.39
    EXPECT_EQ(w8.at(0, 0).alpha, 100);
    EXPECT_EQ(w8.at(0, 0).red, 1);

    World<PF_Pixel16> w16(1, 1, {32768, 5, 5, 5});
    ASSERT_EQ(opacityStage<PF_Pixel16>(StageHost{}, w16.w, {0, 0, 1, 1}, 50.0), PF_Err_NONE);
    EXPECT_EQ(w16.at(0, 0).alpha, 16384);

    World<PF_PixelFloat> wf(1, 1, {0.8f, 0.1f, 0.1f, 0.1f});
    ASSERT_EQ(opacityStage<PF_PixelFloat>(StageHost{}, wf.w, {0, 0, 1, 1}, 50.0), PF_Err_NONE);
    EXPECT_FLOAT_EQ(wf.at(0, 0).alpha, 0.4f);
}

TEST(FinalCompositeStage, ExtractCopiesTheGlowRow) {
    World<PF_Pixel16> out(2, 1, {1, 1, 1, 1}), glow(2, 1);
    glow.at(0, 0) = {300, 10, 20, 30};
    ASSERT_EQ(finalCompositeStage<PF_Pixel16>(StageHost{}, out.w, glow.w, {0, 0, 2, 1}, 1, 3), PF_Err_NONE);
    EXPECT_EQ(out.bytes(), glow.bytes());
}

TEST(FinalCompositeStage, ThresholdRaisesColorToGlowAlphaByRed) {
    World<PF_Pixel8> out(2, 1, {255, 10, 20, 30}), glow(2, 1, {100, 0, 0, 0});
    out.at(1, 0) = {255, 200, 0, 0};
    ASSERT_EQ(finalCompositeStage<PF_Pixel8>(StageHost{}, out.w, glow.w, {0, 0, 2, 1}, 1, 4), PF_Err_NONE);
    EXPECT_EQ(out.at(0, 0).red, 100);
    EXPECT_EQ(out.at(0, 0).green, 100);
    EXPECT_EQ(out.at(0, 0).blue, 100);
    EXPECT_EQ(out.at(0, 0).alpha, 255);
    EXPECT_EQ(out.at(1, 0).red, 200) << "red already above the glow's alpha";
    EXPECT_EQ(out.at(1, 0).green, 0);
}

TEST(FinalCompositeStage, NormalViewBlendsByThePopupValue) {
    // Opaque glow (255; 100, 1, 2) over opaque (255; 9, 9, 9).
    const PF_Pixel8 g{255, 100, 1, 2};
    auto composite = [&](A_long blendPopup) {
        World<PF_Pixel8> out(1, 1, {255, 9, 9, 9}), glow(1, 1, g);
        EXPECT_EQ(finalCompositeStage<PF_Pixel8>(StageHost{}, out.w, glow.w, {0, 0, 1, 1}, blendPopup, 1), PF_Err_NONE);
        return out.at(0, 0);
    };
    EXPECT_EQ(composite(1).red, 100) << "Normal with a full glow takes the glow colour";
    EXPECT_EQ(composite(2).red, 9) << "a separator leaves the lower colour";
    // Popup 3 is Add: min(255, ((100 * 255) >> 8) + 9) = 99 + 9; read as kernel mode 3
    // (Substract) it would give 0.
    EXPECT_EQ(composite(3).red, 108);
}

TEST(FinalCompositeStage, GlowOfAlphaZeroLeavesOpaqueOutput16) {
    World<PF_Pixel16> out(1, 1, {32768, 1000, 2000, 3000}), glow(1, 1, {0, 32768, 32768, 32768});
    ASSERT_EQ(finalCompositeStage<PF_Pixel16>(StageHost{}, out.w, glow.w, {0, 0, 1, 1}, 5, 1), PF_Err_NONE);
    EXPECT_EQ(out.at(0, 0).red, 1000);
    EXPECT_EQ(out.at(0, 0).blue, 3000);
    EXPECT_EQ(out.at(0, 0).alpha, 32768);
}

TEST(FormatConversions, ExpandAndReduceRoundAsStated) {
    World<PF_Pixel8> eight(2, 1);
    eight.at(0, 0) = {255, 128, 1, 0};
    eight.at(1, 0) = {7, 7, 7, 7};
    World<PF_Pixel16> sixteen(2, 1);
    ASSERT_EQ(expandTo16(StageHost{}, sixteen.w, eight.w, {0, 0, 1, 1}), PF_Err_NONE);
    // (c * 32768 + 128) / 255: 255 -> 32768, 128 -> 16448, 1 -> 129
    EXPECT_EQ(sixteen.at(0, 0).alpha, 32768);
    EXPECT_EQ(sixteen.at(0, 0).red, 16448);
    EXPECT_EQ(sixteen.at(0, 0).green, 129);
    EXPECT_EQ(sixteen.at(0, 0).blue, 0);
    EXPECT_EQ(sixteen.at(1, 0).alpha, 0) << "outside the rectangle";

    sixteen.at(0, 0) = {32768, 16448, 64, 65};
    World<PF_Pixel8> back(1, 1);
    ASSERT_EQ(reduceTo8(StageHost{}, back.w, sixteen.w, {0, 0, 1, 1}), PF_Err_NONE);
    // (c * 255 + 16384) >> 15: 32768 -> 255, 16448 -> 128, 64 -> 0, 65 -> 1
    EXPECT_EQ(back.at(0, 0).alpha, 255);
    EXPECT_EQ(back.at(0, 0).red, 128);
    EXPECT_EQ(back.at(0, 0).green, 0);
    EXPECT_EQ(back.at(0, 0).blue, 1);
}

TEST(CompositeStageThreads, OneCallAndFourWorkersGiveTheSameBytes) {
    constexpr int W = 53, H = 31;
    std::mt19937 rng(9);
    World<PF_Pixel8> glow(W, H), base(W, H);
    for (auto *w : {&glow, &base})
        for (auto &p : w->px)
            p = {A_u_char(rng()), A_u_char(rng()), A_u_char(rng()), A_u_char(rng())};
    auto run = [&](const StageHost &host) {
        std::vector<unsigned char> all;
        for (A_long view : {1, 3, 4}) {
            World<PF_Pixel8> out = base, g = glow;
            out.w.data = reinterpret_cast<PF_Pixel *>(out.px.data());
            g.w.data = reinterpret_cast<PF_Pixel *>(g.px.data());
            World<PF_Pixel16> w16(W, H);
            EXPECT_EQ(expandTo16(host, w16.w, g.w, {0, 0, W, H}), PF_Err_NONE);
            EXPECT_EQ(reduceTo8(host, g.w, w16.w, {0, 0, W, H}), PF_Err_NONE);
            EXPECT_EQ(opacityStage<PF_Pixel8>(host, g.w, {0, 0, W, H}, 63.0), PF_Err_NONE);
            EXPECT_EQ(finalCompositeStage<PF_Pixel8>(host, out.w, g.w, {0, 0, W, H}, 7, view), PF_Err_NONE);
            const auto b = out.bytes();
            all.insert(all.end(), b.begin(), b.end());
        }
        return all;
    };
    const auto serial = run(StageHost{});
    embedhost::Host host(workers(4));
    EXPECT_EQ(run(stagesOf(host)), serial);
}
