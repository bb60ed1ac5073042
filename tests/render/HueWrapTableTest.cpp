// The HueWrapTable: one count per hue wrap along the glow value, in the direction of the jump,
// and the channel scaling of each depth.
#include "render/color/HueWrapTable.h"

#include <gtest/gtest.h>

#include "StageTestSupport.h"

using namespace stagetest;

namespace {

ColorFlagList threeStops(PF_Pixel at0, PF_Pixel atHalf, PF_Pixel at1) {
    ColorFlagList l = twoStops(at0, at1);
    l.count = 3;
    l.flag[2] = l.flag[1];
    l.flag[1] = {atHalf.alpha, atHalf.red, atHalf.green, atHalf.blue, 0.5f, 2, 0};
    return l;
}

const PF_Pixel kRed{255, 255, 0, 0};
const PF_Pixel kBlue{255, 0, 0, 255};

} // namespace

TEST(HueWrapTable, OneGradientHueGivesAllZeros) {
    const HueWrapTable t(twoStops(kBlue, kBlue), HueWrapTable::Channels::Scaled16, {});
    for (std::size_t v : {std::size_t{0}, std::size_t{1}, std::size_t{16384}, std::size_t{32768}})
        EXPECT_EQ(t[v], 0) << v;
}

TEST(HueWrapTable, HueRisingPastOneCountsUp) {
    // From position 1 (blue, hue 2/3) toward 0.5 the blend turns magenta, its hue climbing toward
    // 1; pure red from 0.5 down has hue 0: one fall of more than half a turn, counted +1.
    const HueWrapTable t(threeStops(kRed, kRed, kBlue), HueWrapTable::Channels::Bytes8, {});
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[1], 0);
    EXPECT_EQ(t[16000], 0) << "position 0.512 is still a blend with some blue";
    EXPECT_EQ(t[16384], 1) << "position 0.5 is pure red";
    EXPECT_EQ(t[32768], 1);
    for (std::size_t v = 1; v < HueWrapTable::kEntries; ++v)
        ASSERT_LE(t[v] - t[v - 1], 1) << v;
}

TEST(HueWrapTable, HueJumpingUpCountsDown) {
    // Red at 1, then toward blue at 0.5 and 0: the hue leaves 0 for just under 1.
    const HueWrapTable t(threeStops(kBlue, kBlue, kRed), HueWrapTable::Channels::Scaled16, {});
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[16384], -1);
    EXPECT_EQ(t[32768], -1);
}

TEST(HueWrapTable, ChannelsEnterAsBytesOrThroughSixteenBits) {
    const PF_Pixel orange{255, 255, 128, 0};
    const ColorFlagList g = twoStops(orange, orange);
    // 8 bpc: (128 / 255) / 6; 16 bpc: (16448 / 32768) / 6, 16448 = (128 * 32768 + 128) / 255.
    const double h8 = HueWrapTable::hueAt(g, HueWrapTable::Channels::Bytes8, 100);
    const double h16 = HueWrapTable::hueAt(g, HueWrapTable::Channels::Scaled16, 100);
    EXPECT_NEAR(h8, 128.0 / 255.0 * 0.166666666666667, 1e-12);
    EXPECT_NEAR(h16, 16448.0 / 32768.0 * 0.166666666666667, 1e-12);
    EXPECT_NE(h8, h16);
}

TEST(HueWrapTable, LivesInHostMemoryUntilReleased) {
    embedhost::Host host;
    const std::size_t before = host.handles().live();
    {
        HueWrapTable t(twoStops(kRed, kBlue), HueWrapTable::Channels::Bytes8, stagesOf(host).memory);
        EXPECT_EQ(host.handles().live(), before + 1);
        t.release();
        EXPECT_EQ(host.handles().live(), before);
    }
    EXPECT_EQ(host.handles().live(), before);
}
