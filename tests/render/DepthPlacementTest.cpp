// When the depth branch runs, where the source sits, and which part of the Depth Layer covers it.
#include <gtest/gtest.h>

#include "render/depth/DepthPlacement.h"

using namespace AEUtil;

namespace {

GlowWorkingValues values(A_long iw, A_long ih, double d) {
    GlowWorkingValues v;
    v.itemWidth = iw;
    v.itemHeight = ih;
    v.downsample = d;
    return v;
}

void expectRect(const PlaneRect &r, int32_t l, int32_t t, int32_t rt, int32_t b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

} // namespace

TEST(DepthPlacement, TheBranchNeedsTheSwitchAndALayerWithPixels) {
    RenderSettings s;
    initRenderSettings(s);
    A_u_char pixel[4] = {};
    PF_EffectWorld layer{};
    layer.width = layer.height = 1;
    layer.data = reinterpret_cast<PF_PixelPtr>(pixel);
    s.depthLayer = &layer;
    EXPECT_FALSE(depthBranchRuns(s)) << "switch off";
    s.depthEffectsEnabled = 1;
    EXPECT_TRUE(depthBranchRuns(s));
    layer.data = nullptr; // a layer parameter set to none, as the classic path hands it
    EXPECT_FALSE(depthBranchRuns(s));
    s.depthLayer = nullptr;
    EXPECT_FALSE(depthBranchRuns(s));
}

TEST(DepthPlacement, TheClassicPathsInputStartsAtTheOrigin) {
    RenderSettings s;
    initRenderSettings(s);
    s.inputRect = {5, 6, 25, 16};
    const PF_Rect classic = sourcePlacement(s);
    EXPECT_TRUE(classic.left == 0 && classic.top == 0 && classic.right == 20 && classic.bottom == 10);
    s.inputPlacement = {-3, 2, 17, 12};
    const PF_Rect smart = sourcePlacement(s);
    EXPECT_TRUE(smart.left == -3 && smart.top == 2 && smart.right == 17 && smart.bottom == 12);
}

TEST(DepthPlacement, TheCropScalesThePlacementIntoTheDepthLayer) {
    // A depth map twice the item: sx = sy = 2.
    expectRect(depthCropRect(3840, 2160, values(1920, 1080, 1.0), {0, 0, 1920, 1080}), 0, 0, 3840, 2160);
    // Half resolution: the host hands a 960 x 540 depth map and a 960 x 540 input; sx = 960 / 1920 / 0.5.
    expectRect(depthCropRect(960, 540, values(1920, 1080, 0.5), {0, 0, 960, 540}), 0, 0, 960, 540);
    // An offset placement and a smaller map: sx = 100 / 300 = 1/3, sy = 50 / 200 = 1/4.
    // left trunc(-7/3) = -2, top trunc(9/4) = 2, right trunc(60/3 - 7/3) = 17, bottom trunc(40/4 + 9/4) = 12.
    expectRect(depthCropRect(100, 50, values(300, 200, 1.0), {-7, 9, 53, 49}), -2, 2, 17, 12);
    // Edges are read as 16-bit values: 40000 wraps to -25536.
    expectRect(depthCropRect(40000, 10, values(10, 10, 1.0), {0, 0, 10, 10}), 0, 0, -25536, 10);
}
