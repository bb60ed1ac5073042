// Kernel weights worked out by hand from the normalised Gaussian and the correction rule.
#include <gtest/gtest.h>

#include "render/blur/GlowKernel.h"

namespace {

using AEUtil::MakeGlowKernel;

int total(const AEUtil::GlowKernel &k) {
    int s = 0;
    for (auto w : k.weights)
        s += w;
    return 2 * s - k.weights[0] + k.box;
}

TEST(GlowKernel, HalfWidthOneIsTheIdentity) {
    for (int K : {-3, 0, 1}) {
        auto k = MakeGlowKernel(K, 0.0);
        ASSERT_EQ(k.length(), 1);
        EXPECT_EQ(k.weights[0], 32768);
        EXPECT_EQ(k.halfWidth, 1);
        EXPECT_EQ(k.box, 0);
    }
}

TEST(GlowKernel, HalfWidthTwoGetsTheLeftoverOnTheCentre) {
    // g = {1, e^-1}/(1 + 2e^-1): 18878.198..., 6944.900... -> 18878, 6944; total 32766, d = 2:
    // one step on the centre (d = 1), then the remaining 1 on the centre.
    auto k = MakeGlowKernel(2, 0.5);
    ASSERT_EQ(k.length(), 2);
    EXPECT_EQ(k.weights[0], 18880);
    EXPECT_EQ(k.weights[1], 6944);
    EXPECT_EQ(k.box, 0);
}

TEST(GlowKernel, HalfWidthFourSpreadsTheLeftoverOutwards) {
    // v = 2: 9351.17, 7282.70, 3440.10, 985.61 -> total 32765, d = 3: centre +1 (d = 2), tap 1 +1 (d = 0).
    auto k = MakeGlowKernel(4, 2.0);
    ASSERT_EQ(k.length(), 4);
    EXPECT_EQ(k.weights[0], 9352);
    EXPECT_EQ(k.weights[1], 7283);
    EXPECT_EQ(k.weights[2], 3440);
    EXPECT_EQ(k.weights[3], 985);
}

TEST(GlowKernel, ThreeHundredTapsStillHaveNoTail) {
    auto k = MakeGlowKernel(300, 300.0 * 300.0 / 8);
    EXPECT_EQ(k.length(), 300);
    EXPECT_EQ(k.tail, 0);
    EXPECT_EQ(k.box, 0);
    EXPECT_EQ(total(k), 32768);
}

TEST(GlowKernel, ThreeHundredOneTapsSwitchToTailAndBox) {
    // K = 301, v = 301^2/8: the tail mean is g[300] alone, 2.32/32768 -> t = 2, o = 601 * 2.
    auto k = MakeGlowKernel(301, 301.0 * 301.0 / 8);
    EXPECT_EQ(k.length(), 300);
    EXPECT_EQ(k.halfWidth, 301);
    EXPECT_EQ(k.tail, 2);
    EXPECT_EQ(k.box, 1202);
    EXPECT_EQ(total(k), 32768);
}

TEST(GlowKernel, FourHundredTwoTapsHaveTailFour) {
    // Mean of g[300..401] is 4.90/32768 -> t = 4, o = 803 * 4.
    auto k = MakeGlowKernel(402, 402.0 * 402.0 / 8);
    EXPECT_EQ(k.tail, 4);
    EXPECT_EQ(k.box, 3212);
}

TEST(GlowKernel, TotalIsExactForManyWidths) {
    for (int K : {2, 3, 7, 50, 299, 300, 301, 350, 700, 1500}) {
        const double e = K - 0.5;
        EXPECT_EQ(total(MakeGlowKernel(K, e * e / 8)), 32768) << K;
    }
}

} // namespace
