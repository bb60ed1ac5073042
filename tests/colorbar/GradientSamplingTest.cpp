// Colour of a gradient at a position, on sorted and unsorted lists, and the painted row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "colorbar/GradientSampling.h"

namespace {

using namespace AEUtil;

ColorFlagList listOf(std::initializer_list<ColorFlag> flags, bool sortedMark) {
    ColorFlagList list;
    initColorFlagList(list);
    for (const ColorFlag &f : flags)
        appendColorFlag(list, f);
    list.flags = sortedMark ? kColorFlagListSorted : 0;
    return list;
}

void expectPixel(const PF_Pixel &p, int a, int r, int g, int b) {
    EXPECT_EQ(p.alpha, a);
    EXPECT_EQ(p.red, r);
    EXPECT_EQ(p.green, g);
    EXPECT_EQ(p.blue, b);
}

// The default gradient: white, (50, 248, 255), (0, 24, 255) at 0, 0.5 and 1.
const ColorFlagList kDefault =
    listOf({{255, 255, 255, 255, 0.0f, -1, 0}, {255, 50, 248, 255, 0.5f, -1, 0}, {255, 0, 24, 255, 1.0f, -1, 0}}, true);

TEST(SampleGradient, QuarterWayIsTheTruncatedMidpointOfTheFirstTwo) {
    // c = 0.25 / 0.5 = 0.5: red 255 - 102.5 = 152.5 -> 152, green 255 - 3.5 -> 251, blue 255.
    expectPixel(sampleGradient(kDefault, 0.25f), 255, 152, 251, 255);
}

TEST(SampleGradient, BeyondTheEndsGivesTheEndFlagsUnchanged) {
    const ColorFlagList list =
        listOf({{10, 1, 2, 3, 0.0f, -1, 0}, {255, 50, 60, 70, 0.5f, -1, 0}, {20, 4, 5, 6, 1.0f, -1, 0}}, true);
    expectPixel(sampleGradient(list, -1.0f), 10, 1, 2, 3);
    expectPixel(sampleGradient(list, 2.0f), 20, 4, 5, 6);
    expectPixel(sampleGradient(list, 0.0f), 10, 1, 2, 3);
    expectPixel(sampleGradient(list, 1.0f), 20, 4, 5, 6);
}

TEST(SampleGradient, BlendsAlwaysCarryFullAlpha) {
    const ColorFlagList list = listOf({{10, 0, 0, 0, 0.0f, -1, 0}, {20, 200, 100, 40, 1.0f, -1, 0}}, true);
    // c = 0.5: 100, 50, 20.
    expectPixel(sampleGradient(list, 0.5f), 255, 100, 50, 20);
}

TEST(SampleGradient, EqualPositionsGiveTheEarlierAtAndBlendFromTheLaterAbove) {
    const ColorFlagList list = listOf(
        {{200, 10, 20, 30, 0.5f, -1, 0}, {201, 100, 110, 120, 0.5f, -1, 0}, {255, 200, 210, 220, 1.0f, -1, 0}}, true);
    expectPixel(sampleGradient(list, 0.5f), 200, 10, 20, 30);
    // Just above: from the later flag towards the last one, c tiny: (100, 110, 120) truncated.
    expectPixel(sampleGradient(list, std::nextafter(0.5f, 1.0f)), 255, 100, 110, 120);
}

TEST(SampleGradient, EmptyListIsBlueWithZeroAlpha) {
    const ColorFlagList list = listOf({}, true);
    expectPixel(sampleGradient(list, 0.3f), 0, 0, 0, 255);
}

TEST(SampleGradient, OneFlagIsThatFlagEverywhere) {
    const ColorFlagList list = listOf({{7, 8, 9, 10, 0.4f, -1, 0}}, false);
    expectPixel(sampleGradient(list, -5.0f), 7, 8, 9, 10);
    expectPixel(sampleGradient(list, 0.9f), 7, 8, 9, 10);
}

TEST(SampleGradient, UnsortedListFindsTheNeighboursInOnePass) {
    // Storage order C, B, A; B and A share 0.5 (the later of them, A, is the lower neighbour).
    const ColorFlagList list = listOf(
        {{255, 200, 210, 220, 1.0f, -1, 0}, {201, 100, 110, 120, 0.5f, -1, 0}, {200, 10, 20, 30, 0.5f, -1, 0}}, false);
    // A to C at c = 0.25 / 0.5: 10 + 95, 20 + 95, 30 + 95.
    expectPixel(sampleGradient(list, 0.75f), 255, 105, 115, 125);
    // Nothing lies strictly below 0.5: flag 0 in storage order (C).
    expectPixel(sampleGradient(list, 0.5f), 255, 200, 210, 220);
    // Nothing lies at or above 1.5: the last flag in storage order (A).
    expectPixel(sampleGradient(list, 1.5f), 200, 10, 20, 30);
}

TEST(SampleGradient, UnsortedUpperNeighbourAtEqualPositionsIsTheEarlier) {
    const ColorFlagList list = listOf(
        {{255, 0, 0, 0, 0.0f, -1, 0}, {255, 100, 100, 100, 1.0f, -1, 0}, {255, 200, 200, 200, 1.0f, -1, 0}}, false);
    // Lower: the flag at 0; upper: the first of the two at 1. c = 0.5.
    expectPixel(sampleGradient(list, 0.5f), 255, 50, 50, 50);
}

std::vector<std::uint8_t> rowBytes(const ColorFlagList &list, A_long width) {
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width) + 1, 0xA5A5A5A5u);
    rasterizeGradient(list, row.data(), width);
    EXPECT_EQ(row.back(), 0xA5A5A5A5u) << "nothing is written past the row";
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * 4);
    std::memcpy(bytes.data(), row.data(), bytes.size());
    return bytes;
}

TEST(RasterizeGradient, EmptyListPaintsOpaqueBlack) {
    const auto bytes = rowBytes(listOf({}, false), 3);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}));
}

TEST(RasterizeGradient, TwoFlagsBlendOverTheSpanInBlueGreenRedAlphaOrder) {
    // Red at 0, blue at 1, width 4: columns 0 and trunc(3 + 0.5) = 3, span 4, t = k / 4.
    const ColorFlagList list = listOf({{255, 0, 0, 255, 1.0f, -1, 0}, {255, 255, 0, 0, 0.0f, -1, 0}}, false);
    const auto bytes = rowBytes(list, 4);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 255, 255,    // k 0
                                                63, 0, 191, 255,   // k 1: 63.75, 191.25
                                                127, 0, 127, 255,  // k 2: 127.5
                                                255, 0, 0, 255})); // the last flag's fill
}

TEST(RasterizeGradient, EndsAreFilledAndDraggedFlagsSkipped) {
    // A flag at -1 (dragged off) is ignored; the only flag left at 0.5 fills the whole row.
    const ColorFlagList list = listOf({{255, 9, 8, 7, -1.0f, -1, 0}, {255, 30, 20, 10, 0.5f, -1, 0}}, false);
    const auto bytes = rowBytes(list, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bytes[4 * i + 0], 10);
        EXPECT_EQ(bytes[4 * i + 1], 20);
        EXPECT_EQ(bytes[4 * i + 2], 30);
        EXPECT_EQ(bytes[4 * i + 3], 255);
    }
    const ColorFlagList off = listOf({{255, 9, 8, 7, -1.0f, -1, 0}}, false);
    EXPECT_EQ(rowBytes(off, 2), (std::vector<std::uint8_t>{0, 0, 0, 255, 0, 0, 0, 255}));
}

TEST(RasterizeGradient, PositionsPastTheEndStayInsideTheRow) {
    const ColorFlagList list = listOf({{255, 1, 1, 1, 0.0f, -1, 0}, {255, 2, 2, 2, 7.0f, -1, 0}}, true);
    const auto bytes = rowBytes(list, 3);
    EXPECT_EQ(bytes[8], 2) << "a flag beyond 1 lands on the last pixel";
}

} // namespace
