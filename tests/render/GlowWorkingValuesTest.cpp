// Working values of a frame render and the declared output area, on hand-worked numbers.
#include "render/pipeline/GlowWorkingValues.h"

#include <gtest/gtest.h>

#include <limits>

#include "render/pipeline/GlowPreRender.h"

using namespace AEUtil;

namespace {

struct Frame {
    RenderSettings settings{};
    PF_InData in{};
    PF_EffectWorld output{};
    Frame() {
        initRenderSettings(settings);
        settings.output = &output;
        output.width = 3840;
        output.height = 2160;
        in.width = 1920;
        in.height = 1080;
        in.downsample_x = {1, 1};
        in.downsample_y = {1, 1};
        settings.inputRect = {0, 0, 1920, 1080};
    }
    GlowWorkingValues values(A_long iw = 1920, A_long ih = 1080) { return glowWorkingValues(settings, in, iw, ih); }
};

} // namespace

TEST(GlowWorkingValues, RadiiScaleWithTheSmallerDownsampleBeforeTheThree) {
    Frame f;
    f.settings.glowRadius = 10.0;
    f.settings.depthRadius = 4.0;
    EXPECT_DOUBLE_EQ(f.values().radius, 13.0);
    f.in.downsample_x = {1, 2};
    f.in.downsample_y = {1, 2};
    EXPECT_DOUBLE_EQ(f.values().radius, 8.0); // 10 / 2 + 3
    EXPECT_DOUBLE_EQ(f.values().depthRadius, 5.0);
    f.in.downsample_y = {1, 4};
    EXPECT_DOUBLE_EQ(f.values().downsample, 0.25);
    f.settings.glowRadius = 0.0;
    EXPECT_DOUBLE_EQ(f.values().radius, 3.0) << "radius 0 still blurs";
}

TEST(GlowWorkingValues, ThresholdsTruncateOnTheSixteenBitScale) {
    Frame f;
    f.settings.threshold = 60.0;     // 19660.8
    f.settings.thresholdSoft = 10.0; // 3276.8
    EXPECT_EQ(f.values().threshold, 19660);
    EXPECT_EQ(f.values().thresholdSoft, 3276);
    f.settings.threshold = 100.0;
    f.settings.thresholdSoft = 33.3; // 10911.744
    EXPECT_EQ(f.values().threshold, 32768);
    EXPECT_EQ(f.values().thresholdSoft, 10911);
    EXPECT_EQ(percentTo16(-5.0), 0);
    EXPECT_EQ(percentTo16(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(GlowWorkingValues, SizesPlacementAndTheItemFloor) {
    Frame f;
    GlowWorkingValues v = f.values();
    EXPECT_EQ(v.width, 3840);
    EXPECT_EQ(v.height, 2160);
    EXPECT_EQ(v.offsetX, 0);
    EXPECT_EQ(v.offsetY, 0);
    v = f.values(100, 50); // smaller than in_data: taken as in_data's size
    EXPECT_EQ(v.itemWidth, 1920);
    EXPECT_EQ(v.itemHeight, 1080);
    f.settings.inputRect = {0, 0, 1001, 1080};
    f.settings.inputPlacement = {0, 7, 1001, 1087};
    v = f.values();
    EXPECT_EQ(v.offsetX, -459) << "(1001 - 1920) / 2 truncates toward zero";
    EXPECT_EQ(v.offsetY, 7);
    f.output.width = 0;
    EXPECT_TRUE(f.values().empty());
}

TEST(GlowWorkingValues, TheClassicPathPlacesTheItemAtTheRendersResolution) {
    Frame f;
    f.in.downsample_x = {1, 2};
    f.in.downsample_y = {1, 3};
    f.settings.inputRect = {0, 0, 960, 360}; // 1920 / 2, 1080 / 3
    GlowWorkingValues v = f.values();
    EXPECT_EQ(v.offsetX, 0);
    EXPECT_EQ(v.offsetY, 0);
    EXPECT_EQ(v.itemWidth, 1920) << "the item stays full size for the depth mapping";
    f.settings.smart = 1; // the enlarged area centres the full-size item: (960 - 1920) / 2
    v = f.values();
    EXPECT_EQ(v.offsetX, -480);
    EXPECT_EQ(v.offsetY, -360);
}

TEST(GlowMaxResultRect, HalfAnItemBeyondEverySide) {
    const PF_LRect r = glowMaxResultRect(1920, 1080);
    EXPECT_EQ(r.left, -960);
    EXPECT_EQ(r.top, -540);
    EXPECT_EQ(r.right, 2880);
    EXPECT_EQ(r.bottom, 1620);
    const PF_LRect odd = glowMaxResultRect(5, 3); // 5 / 2 = 2, 3 / 2 = 1
    EXPECT_EQ(odd.left, -2);
    EXPECT_EQ(odd.right, 8);
    EXPECT_EQ(odd.top, -1);
    EXPECT_EQ(odd.bottom, 5);
}

TEST(GlowMaxResultRect, SixteenBitArithmeticWrapsAsTheHostsCoordinates) {
    // 2 * 30000 - 15000 = 45000 does not fit 16 bits: 45000 - 65536 = -20536.
    const PF_LRect r = glowMaxResultRect(30000, 100);
    EXPECT_EQ(r.left, -15000);
    EXPECT_EQ(r.right, -20536);
}
