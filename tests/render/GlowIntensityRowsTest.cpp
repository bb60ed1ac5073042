// Mask weighting and the Glow Intensity curve on hand-worked samples, including intensity 0.
#include "render/color/GlowIntensityRows.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace AEUtil;

namespace {

uint16_t combineOne(uint16_t a, uint16_t m) {
    uint16_t out = 0xBEEF;
    combineWithMaskRow(&a, &m, 1, &out);
    return out;
}

} // namespace

TEST(CombineWithMask, FullMaskCopies) {
    EXPECT_EQ(combineOne(0, 32768), 0);
    EXPECT_EQ(combineOne(1, 32768), 1);
    EXPECT_EQ(combineOne(32767, 32768), 32767);
    EXPECT_EQ(combineOne(32768, 32768), 32768);
}

TEST(CombineWithMask, HalfMaskQuarters) {
    EXPECT_EQ(combineOne(32768, 16384), 8192);
    EXPECT_EQ(combineOne(32767, 16384), 8191); // 32767 / 4 = 8191.75
    EXPECT_EQ(combineOne(3, 16384), 0);
}

TEST(CombineWithMask, WeightIsTruncatedBeforeScaling) {
    // 23170^2 / 32768 = 16383.3 -> w = 16383
    EXPECT_EQ(combineOne(32768, 23170), 16383);
    EXPECT_EQ(combineOne(32768, 0), 0);
}

TEST(CombineWithMask, WholeRow) {
    const uint16_t a[3] = {100, 200, 32768};
    const uint16_t m[3] = {32768, 16384, 0};
    uint16_t out[3] = {};
    combineWithMaskRow(a, m, 3, out);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], 50);
    EXPECT_EQ(out[2], 0);
}

TEST(IntensityCurve, HandWorkedValues) {
    const IntensityCurve nine(9.0);
    // log10(3277/32768 * 9 + 1) = log10(1.90005) = 0.278765; * 32768 = 9134.6
    EXPECT_EQ(nine.apply(3277), 9134);
    EXPECT_EQ(nine.apply(0), 0);
    EXPECT_EQ(nine.apply(32768), 32768);

    const IntensityCurve one(1.0);
    // log10(1.5) / log10(2) = 0.5849625; * 32768 = 19168.05
    EXPECT_EQ(one.apply(16384), 19168);
    EXPECT_EQ(one.apply(32768), 32768);
}

TEST(IntensityCurve, LiftsMoreWithLargerIntensity) {
    EXPECT_GT(IntensityCurve(20.0).apply(3277), IntensityCurve(9.0).apply(3277));
}

TEST(IntensityCurve, ZeroIntensityRemovesTheGlow) {
    const IntensityCurve zero(0.0);
    EXPECT_EQ(zero.apply(0), 0);
    EXPECT_EQ(zero.apply(1), 0);
    EXPECT_EQ(zero.apply(16384), 0);
    EXPECT_EQ(zero.apply(32768), 0);
    EXPECT_EQ(zero.apply(65535), 0);
}

TEST(IntensityCurve, RowInPlace) {
    uint16_t row[4] = {0, 3277, 32768, 5};
    applyIntensityCurveRow(row, 4, IntensityCurve(9.0));
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[1], 9134);
    EXPECT_EQ(row[2], 32768);
    uint16_t zeroRow[2] = {100, 32768};
    applyIntensityCurveRow(zeroRow, 2, IntensityCurve(0.0));
    EXPECT_EQ(zeroRow[0], 0);
    EXPECT_EQ(zeroRow[1], 0);
}
