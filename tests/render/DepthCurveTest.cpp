// The DepthCurve: its four segments worked out for the corner settings, the clamp of settings
// outside the sliders' range, monotony, and its life in host memory.
#include "render/depth/DepthCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "StageTestSupport.h"

using namespace stagetest;

namespace {

std::vector<uint16_t> entries(double centre, double bias) {
    const DepthCurve curve(centre, bias, {});
    return {curve.data(), curve.data() + DepthCurve::kEntries};
}

} // namespace

TEST(DepthCurve, SegmentsFollowTheirLines) {
    // 50/0: centre 16384, c 16384, d 0: knee 0, f 16384, g 32768, last 32768; each step adds
    // 16384 over 16384 entries, so entry i is i.
    const std::vector<uint16_t> identity = entries(50, 0);
    // 50/100: c 0, d 16384: knee 16384, h 8192, g 24576, f 0: half steps on each side of a jump.
    const std::vector<uint16_t> jump = entries(50, 100);
    // 0/0: centre 0, f 32768: 16384 + (i * 16384) / 32768.
    const std::vector<uint16_t> low = entries(0, 0);
    // 100/0: centre 32767, f 1: (i * 16384) / 32767 below the centre.
    const std::vector<uint16_t> high = entries(100, 0);
    for (int32_t i = 0; i < 32768; ++i) {
        ASSERT_EQ(identity[i], i) << i;
        ASSERT_EQ(jump[i], i < 16384 ? i / 2 : 24576 + (i - 16384) / 2) << i;
        ASSERT_EQ(low[i], 16384 + i / 2) << i;
        if (i < 32767) {
            ASSERT_EQ(high[i], int64_t{i} * 16384 / 32767) << i;
        }
    }
}

TEST(DepthCurve, WorkedEntries) {
    struct Case {
        double centre, bias;
        int32_t index;
        uint16_t expected;
    };
    // 50/50: c 8192, knee 8192, h 4096, f 8192, g 28672, last 24576.
    const Case cases[] = {
        {50, 100, 16383, 8191}, {50, 100, 16384, 24576}, {50, 100, 32767, 32767},
        {50, 50, 8191, 4095},   {50, 50, 8192, 4096},    {50, 50, 16383, 16382}, // 4096 + 8191 * 12288 / 8192
        {50, 50, 16384, 16384}, {50, 50, 24575, 28670},  {50, 50, 24576, 28672},
        {50, 50, 32767, 32767}, {0, 0, 0, 16384},        {0, 0, 32767, 32767},
        {100, 0, 0, 0},         {100, 0, 32766, 16383},  {100, 0, 32767, 16384},
    };
    for (const Case &c : cases)
        EXPECT_EQ(entries(c.centre, c.bias)[std::size_t(c.index)], c.expected)
            << c.centre << "/" << c.bias << " [" << c.index << "]";
}

TEST(DepthCurve, SettingsOutsideTheRangeAreClamped) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(entries(150, 0), entries(100, 0));
    EXPECT_EQ(entries(-20, 0), entries(0, 0));
    EXPECT_EQ(entries(50, 1e9), entries(50, 100));
    EXPECT_EQ(entries(50, -5), entries(50, 0));
    EXPECT_EQ(entries(nan, nan), entries(0, 0));
}

TEST(DepthCurve, NeverFallsAndStaysOnTheScale) {
    const double settings[][2] = {{25, 30}, {75, 80}, {10, 100}, {90, 60}, {33.3, 0}, {0, 100}, {100, 100}};
    for (const auto &s : settings) {
        const std::vector<uint16_t> e = entries(s[0], s[1]);
        for (std::size_t i = 1; i < e.size(); ++i)
            ASSERT_LE(e[i - 1], e[i]) << s[0] << "/" << s[1] << " at " << i;
        EXPECT_LE(e.back(), 32768) << s[0] << "/" << s[1];
    }
}

TEST(DepthCurve, LivesInHostMemoryUntilReleased) {
    embedhost::Host host;
    const std::size_t before = host.handles().live();
    DepthCurve curve(50, 0, stagesOf(host).memory);
    EXPECT_EQ(host.handles().live(), before + 1);
    EXPECT_EQ(curve[12345], 12345);
    curve.release();
    EXPECT_EQ(host.handles().live(), before);
}
