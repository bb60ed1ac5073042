// The mono stages through iterate_generic: extraction, mask weighting and intensity curve on
// hand-worked values, and the same bytes from one call and from several workers.
#include "render/source/GlowSourceStages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StageTestSupport.h"

using namespace stagetest;

namespace {

const PlaneRect kRect3x1{0, 0, 3, 1};

} // namespace

TEST(ExtractGlowSourceStage, LuminanceAtThresholdZero8bpc) {
    World<PF_Pixel8> src(3, 1);
    src.at(0, 0) = {255, 255, 255, 255}; // a16 = 8355968 / 255 = 32768, L capped at 1
    src.at(1, 0) = {255, 0, 0, 0};
    src.at(2, 0) = {0, 255, 255, 255};
    GlowPlane a = plane(3, 1, 77);
    ASSERT_EQ(extractGlowSource<PF_Pixel8>(StageHost{}, src.w, kRect3x1, 0, 0, 1, a), PF_Err_NONE);
    EXPECT_EQ(values(a), (std::vector<uint16_t>{32768, 0, 0}));
}

TEST(ExtractGlowSourceStage, SoftZoneAt16bpcByChannel) {
    // Threshold 60, Soft 10: thr 19660, soft 3276, lo 16383.
    World<PF_Pixel16> src(3, 1);
    src.at(0, 0) = {18000, 32768, 32768, 32768}; // L = 1, v = 18000 -> trunc(1617/3276*18000 + .5)
    src.at(1, 0) = {19660, 0, 0, 0};
    src.at(2, 0) = {16383, 32768, 32768, 32768};
    GlowPlane lum = plane(3, 1), alpha = plane(3, 1);
    ASSERT_EQ(extractGlowSource<PF_Pixel16>(StageHost{}, src.w, kRect3x1, 19660, 3276, 1, lum), PF_Err_NONE);
    ASSERT_EQ(extractGlowSource<PF_Pixel16>(StageHost{}, src.w, kRect3x1, 19660, 3276, 2, alpha), PF_Err_NONE);
    EXPECT_EQ(values(lum), (std::vector<uint16_t>{8885, 0, 0}));
    EXPECT_EQ(values(alpha)[1], 19660);
    EXPECT_EQ(values(alpha)[2], 0);
}

TEST(ExtractGlowSourceStage, FloatReadsFromTheRectangleOrigin) {
    World<PF_PixelFloat> src(3, 2);
    src.at(2, 1) = {1.0f, 1.0f, 1.0f, 1.0f};
    GlowPlane a = plane(1, 1, 5);
    ASSERT_EQ(extractGlowSource<PF_PixelFloat>(StageHost{}, src.w, {2, 1, 3, 2}, 0, 0, 1, a), PF_Err_NONE);
    EXPECT_EQ(a.row(0)[0], 32768);
}

TEST(MaskAndIntensityStages, CombineQuartersAtHalfMaskAndCopiesAtFull) {
    GlowPlane source = plane(2, 1, 1001), mask = plane(2, 1, 32768), dst = plane(2, 1);
    mask.row(0)[0] = 16384; // w = 8192: trunc(1001 / 4)
    ASSERT_EQ(combineWithMask(StageHost{}, source, mask, dst), PF_Err_NONE);
    EXPECT_EQ(values(dst), (std::vector<uint16_t>{250, 1001}));
}

TEST(MaskAndIntensityStages, IntensityCurveInsideTheRectOnly) {
    GlowPlane c = plane(3, 1, 3277);
    c.row(0)[1] = 0;
    ASSERT_EQ(applyIntensityCurve(StageHost{}, {0, 0, 2, 1}, 9.0, c), PF_Err_NONE);
    EXPECT_EQ(values(c), (std::vector<uint16_t>{9134, 0, 3277}));
}

TEST(MaskAndIntensityStages, IntensityZeroRemovesTheGlow) {
    GlowPlane c = plane(2, 1, 32768);
    ASSERT_EQ(applyIntensityCurve(StageHost{}, {0, 0, 2, 1}, 0.0, c), PF_Err_NONE);
    EXPECT_EQ(values(c), (std::vector<uint16_t>{0, 0}));
}

TEST(MonoStageThreads, OneCallAndFourWorkersGiveTheSameBytes) {
    constexpr int W = 61, H = 37;
    World<PF_Pixel8> src(W, H);
    std::mt19937 rng(11);
    for (auto &p : src.px)
        p = {A_u_char(rng()), A_u_char(rng()), A_u_char(rng()), A_u_char(rng())};
    const PlaneRect rect{0, 0, W, H};
    auto run = [&](const StageHost &host) {
        GlowPlane a = plane(W, H), mask = plane(W, H, 23170), b = plane(W, H);
        EXPECT_EQ(extractGlowSource<PF_Pixel8>(host, src.w, rect, 9000, 4000, 1, a), PF_Err_NONE);
        EXPECT_EQ(combineWithMask(host, a, mask, b), PF_Err_NONE);
        EXPECT_EQ(applyIntensityCurve(host, rect, 2.5, b), PF_Err_NONE);
        return values(b);
    };
    const std::vector<uint16_t> serial = run(StageHost{});
    embedhost::Host host(workers(4));
    EXPECT_EQ(run(stagesOf(host)), serial);
    EXPECT_NE(std::count(serial.begin(), serial.end(), 0), W * H) << "a blank result would prove nothing";
}
