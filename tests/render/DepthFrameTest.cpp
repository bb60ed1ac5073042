// The depth branch in whole frames of the built module: on without a Depth Layer changes
// nothing, the tinted depth glow replaces the main glow where the depth map is dark, a Depth
// Layer of another size or at half resolution lands on the source, Depth Intensity 0 keeps it.
#include <gtest/gtest.h>

#include "GlowFrameSupport.h"

using namespace glowframe;

namespace {

const PF_PixelFormat kFormats[] = {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128};
constexpr A_long kDepthLayerId = 7;
const PF_Pixel kRed{255, 255, 0, 0};

// An opaque 8 bpc depth map, black (depth 0) left of column `split`, white from it on.
Image splitDepth(A_long w, A_long h, A_long split) {
    Image img = Image::make(w, h, PF_PixelFormat_ARGB32);
    for (A_long y = 0; y < h; ++y)
        for (A_long x = 0; x < w; ++x) {
            const A_u_char c = x < split ? 0 : 255;
            img.row<PF_Pixel8>(y)[x] = {255, c, c, c};
        }
    return img;
}

void useDepth(GlowHost &g, const Image &depth, double depthRadius = 4.0) {
    g.host().setLayer(kDepthLayerId, depth);
    g.set(AEUtil::kIdEnableDepth, ParamValue::checkbox(true));
    g.set(AEUtil::kIdDepthLayer, ParamValue::layerChoice(kDepthLayerId));
    g.set(AEUtil::kIdDepthTint, ParamValue::colorChoice(kRed));
    g.set(AEUtil::kIdDepthRadius, ParamValue::floatSlider(depthRadius));
    g.set(AEUtil::kIdDepthIntensity, ParamValue::floatSlider(2.0));
}

// Output pixel at layer coordinates (x, y), as fractions of full strength.
struct Rgba {
    double a, r, g, b;
};
Rgba at(const embedhost::RenderOutput &out, A_long x, A_long y) {
    const Image img = embedhost::convertImage(out.image, PF_PixelFormat_ARGB128);
    const PF_PixelFloat p = img.row<PF_PixelFloat>(y - out.originY)[x - out.originX];
    return {p.alpha, p.red, p.green, p.blue};
}

} // namespace

TEST(DepthFrame, EnabledWithoutADepthLayerRendersAsOff) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    for (PF_PixelFormat format : kFormats)
        for (A_long glowType : {1, 2, 3}) {
            g.host().setLayer(0, atDepth(greyWithWhiteBlock(12, 9), format));
            g.glowSettings(glowType, 1);
            g.set(AEUtil::kIdEnableDepth, ParamValue::checkbox(false));
            const auto off = g.host().renderFrame();
            g.set(AEUtil::kIdEnableDepth, ParamValue::checkbox(true));
            g.set(AEUtil::kIdDepthLayer, ParamValue::layerChoice(PF_LayerDefault_NONE));
            const auto none = g.host().renderFrame();
            g.set(AEUtil::kIdDepthLayer, ParamValue::layerChoice(kDepthLayerId)); // names no layer
            const auto missing = g.host().renderFrame();
            ASSERT_EQ(off.err, PF_Err_NONE) << off.message;
            EXPECT_EQ(none.image.pixels, off.image.pixels) << "format " << format << " type " << glowType;
            EXPECT_EQ(missing.image.pixels, off.image.pixels) << "format " << format << " type " << glowType;
        }
}

TEST(DepthFrame, ADarkDepthMapTurnsTheWholeGlowIntoTheTintedDepthGlow) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    for (PF_PixelFormat format : kFormats)
        for (A_long glowType : {1, 2, 3}) {
            g.host().setLayer(0, atDepth(greyWithWhiteBlock(12, 9), format));
            g.glowSettings(glowType, 3);
            useDepth(g, splitDepth(12, 9, 12)); // black everywhere: M = 0, no main glow
            const auto out = g.host().renderFrame();
            ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
            // One pixel left of the block: lit, and pure red (a saturated tint keeps its hue
            // whatever the glow's own colour).
            const Rgba p = at(out, 3, 4);
            EXPECT_GT(p.a, 0.0) << "format " << format << " type " << glowType;
            EXPECT_GT(p.r, 0.0) << "format " << format << " type " << glowType;
            EXPECT_EQ(p.g, 0.0) << "format " << format << " type " << glowType;
            EXPECT_EQ(p.b, 0.0) << "format " << format << " type " << glowType;
        }
}

// The block spans layer columns 16..31 of a 48-wide layer; the depth map is dark left of the
// middle. With both glows narrow, left of the block glows red, right of it in the gradient's
// colours.
void narrowGlows(GlowHost &g) {
    g.glowSettings(1, 3);
    g.set(AEUtil::kIdGlowRadius, ParamValue::floatSlider(0.0));
}

void expectSplitGlow(const embedhost::RenderOutput &out, A_long leftX, A_long rightX, A_long y) {
    ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
    const Rgba left = at(out, leftX, y), right = at(out, rightX, y);
    EXPECT_GT(left.a, 0.0);
    EXPECT_GT(left.r, 0.0);
    EXPECT_EQ(left.g + left.b, 0.0) << "dark depth: the red depth glow alone";
    EXPECT_GT(right.a, 0.0);
    EXPECT_GT(right.g + right.b, 0.0) << "bright depth: the main glow";
}

TEST(DepthFrame, ADepthLayerOfAnotherSizeIsScaledOntoTheSource) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    for (PF_PixelFormat format : kFormats) {
        g.host().setLayer(0, atDepth(greyWithWhiteBlock(48, 12), format));
        narrowGlows(g);
        useDepth(g, splitDepth(120, 30, 60), 0.0); // 2.5 times the layer, split at its middle
        expectSplitGlow(g.host().renderFrame(), 15, 32, 6);
        useDepth(g, splitDepth(16, 4, 8), 0.0); // a third of the layer
        expectSplitGlow(g.host().renderFrame(), 15, 32, 6);
    }
}

TEST(DepthFrame, AtHalfResolutionTheDepthMapStillMeetsTheSource) {
    embedhost::HostProfile p = GlowHost::profile(0);
    p.downsampleX = p.downsampleY = PF_RationalScale{1, 2};
    GlowHost g(p);
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, greyWithWhiteBlock(96, 24)); // 48 x 12 at half resolution
    narrowGlows(g);
    useDepth(g, splitDepth(96, 24, 48), 0.0);
    expectSplitGlow(g.host().renderFrame(), 15, 32, 6);
    expectSplitGlow(g.host().renderFrame(embedhost::RenderPath::Classic), 15, 32, 6);
}

TEST(DepthFrame, DepthIntensityZeroKeepsTheNormalDepthGlow) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    for (PF_PixelFormat format : kFormats) {
        g.host().setLayer(0, atDepth(greyWithWhiteBlock(12, 9), format));
        g.glowSettings(1, 3);
        useDepth(g, splitDepth(12, 9, 12));
        g.set(AEUtil::kIdDepthIntensity, ParamValue::floatSlider(0.0));
        const auto out = g.host().renderFrame();
        ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
        EXPECT_GT(at(out, 3, 4).r, 0.0) << "format " << format;
    }
}

TEST(DepthFrame, TheDepthBranchGivesEveryBufferBack) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, greyWithWhiteBlock(12, 9));
    useDepth(g, splitDepth(30, 20, 15));
    for (A_long glowType : {1, 2}) {
        g.glowSettings(glowType, 1);
        const std::size_t worlds = g.host().worlds().live();
        const std::size_t handles = g.host().handles().live();
        const auto out = g.host().renderFrame();
        EXPECT_EQ(out.err, PF_Err_NONE) << out.message;
        EXPECT_EQ(g.host().worlds().live(), worlds);
        EXPECT_EQ(g.host().handles().live(), handles);
    }
}
