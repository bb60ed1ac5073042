// Whole frames through the built module in the embedded host: output area and placement, the
// views on their backgrounds, the opacity stage's skip, worker-count independence and the
// release of every buffer, interrupted renders included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "GlowFrameSupport.h"
#include "render/pipeline/RenderGlow.h"

using namespace glowframe;

namespace {

const PF_PixelFormat kFormats[] = {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128};

} // namespace

TEST(GlowFrame, OutputReachesHalfAnItemBeyondAndTheLayerSitsAtTheItemsCorner) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.glowSettings(1, 1);
    g.set(AEUtil::kIdThreshold, ParamValue::floatSlider(100.0)); // only pure white would glow
    Image input = Image::make(8, 6, PF_PixelFormat_ARGB32);
    for (A_long y = 0; y < 6; ++y)
        for (A_long x = 0; x < 8; ++x)
            input.row<PF_Pixel8>(y)[x] = {255, 90, 60, 30};
    input.row<PF_Pixel8>(1)[1] = {200, 10, 20, 30};
    g.host().setLayer(0, input);
    g.host().setItemSize(40, 20);
    const auto out = g.host().renderFrame();
    ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
    // (-(40/2), -(20/2), 80 - 20, 40 - 10)
    EXPECT_EQ(out.maxResultRect.left, -20);
    EXPECT_EQ(out.maxResultRect.top, -10);
    EXPECT_EQ(out.maxResultRect.right, 60);
    EXPECT_EQ(out.maxResultRect.bottom, 30);
    ASSERT_EQ(out.image.width, 80);
    ASSERT_EQ(out.image.height, 40);
    EXPECT_EQ(out.originX, -20);
    EXPECT_EQ(out.originY, -10);
    // x0 = (80 - 8) / 2 + (8 - 40) / 2 = 20, y0 = (40 - 6) / 2 + (6 - 20) / 2 = 10: the layer's
    // top-left at the item's. Without glow the Normal view shows the source unchanged.
    const PF_Pixel8 marked = out.image.row<PF_Pixel8>(11)[21];
    EXPECT_TRUE(marked.alpha == 200 && marked.red == 10 && marked.green == 20 && marked.blue == 30);
    const PF_Pixel8 grey = out.image.row<PF_Pixel8>(10)[20];
    EXPECT_TRUE(grey.alpha == 255 && grey.red == 90 && grey.green == 60 && grey.blue == 30);
    EXPECT_EQ(out.image.row<PF_Pixel8>(10)[19].alpha, 0) << "left of the layer: transparent";
    EXPECT_EQ(out.image.row<PF_Pixel8>(9)[20].alpha, 0) << "above the layer: transparent";
    EXPECT_EQ(out.image.row<PF_Pixel8>(15)[27].alpha, 255);
    EXPECT_EQ(out.image.row<PF_Pixel8>(16)[27].alpha, 0);
}

TEST(GlowFrame, TheClassicRenderRunsTheSameDriverOverTheLayerSize) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.glowSettings(1, 1);
    g.set(AEUtil::kIdThreshold, ParamValue::floatSlider(100.0));
    Image input = Image::make(5, 4, PF_PixelFormat_ARGB64);
    for (A_long y = 0; y < 4; ++y)
        for (A_long x = 0; x < 5; ++x)
            input.row<PF_Pixel16>(y)[x] = {32768, A_u_short(1000 * x), A_u_short(1000 * y), 7};
    g.host().setLayer(0, input);
    const auto out = g.host().renderFrame(embedhost::RenderPath::Classic);
    ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
    // Output and item are the layer's size, so the source lands row for row; nothing glows.
    EXPECT_EQ(out.image.pixels, input.pixels);
}

TEST(GlowFrame, ExtractShowsGlowOnTransparentAndThresholdOnOpaqueBlack) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    Image clear = Image::make(6, 4, PF_PixelFormat_ARGB32); // nothing glows
    g.host().setLayer(0, clear);
    g.glowSettings(1, 3);
    auto extract = g.host().renderFrame();
    ASSERT_EQ(extract.err, PF_Err_NONE) << extract.message;
    ASSERT_FALSE(extract.image.empty());
    for (auto b : extract.image.pixels)
        ASSERT_EQ(b, 0);
    g.set(AEUtil::kIdView, ParamValue::popup(4));
    auto threshold = g.host().renderFrame();
    ASSERT_EQ(threshold.err, PF_Err_NONE) << threshold.message;
    for (A_long y = 0; y < threshold.image.height; ++y)
        for (A_long x = 0; x < threshold.image.width; ++x) {
            const PF_Pixel8 p = threshold.image.row<PF_Pixel8>(y)[x];
            ASSERT_TRUE(p.alpha == 255 && p.red == 0 && p.green == 0 && p.blue == 0) << x << "," << y;
        }
}

TEST(GlowFrame, OpacityOfExactlyHundredSkipsTheStageAndJustBelowRunsIt) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, atDepth(greyWithWhiteBlock(9, 9), PF_PixelFormat_ARGB128));
    g.glowSettings(1, 3);
    const auto full = g.host().renderFrame();
    g.set(AEUtil::kIdOpacity, ParamValue::floatSlider(99.999));
    const auto most = g.host().renderFrame();
    ASSERT_EQ(full.err, PF_Err_NONE) << full.message;
    ASSERT_EQ(most.err, PF_Err_NONE) << most.message;
    ASSERT_EQ(full.image.pixels.size(), most.image.pixels.size());
    int lit = 0;
    for (A_long y = 0; y < full.image.height; ++y)
        for (A_long x = 0; x < full.image.width; ++x) {
            const PF_PixelFloat a = full.image.row<PF_PixelFloat>(y)[x];
            const PF_PixelFloat b = most.image.row<PF_PixelFloat>(y)[x];
            EXPECT_EQ(b.red, a.red);
            EXPECT_FLOAT_EQ(b.alpha, static_cast<float>(a.alpha * 99.999 / 100.0));
            lit += a.alpha > 0.0f && b.alpha < a.alpha;
        }
    EXPECT_GT(lit, 0) << "at 99.999 % the float glow's alpha shrinks";
}

TEST(GlowFrame, OneWorkerAndFourWorkersRenderTheSameBytes) {
    const Image base = greyWithWhiteBlock(12, 9);
    std::vector<std::vector<uint8_t>> single, many;
    for (unsigned threads : {1u, 4u}) {
        GlowHost g(threads);
        ASSERT_TRUE(g.ok());
        auto &into = threads == 1 ? single : many;
        for (PF_PixelFormat format : kFormats)
            for (A_long glowType : {1, 2, 3}) {
                g.host().setLayer(0, atDepth(base, format));
                g.glowSettings(glowType, 1);
                const auto out = g.host().renderFrame();
                ASSERT_EQ(out.err, PF_Err_NONE) << out.message << " format " << format << " type " << glowType;
                into.push_back(out.image.pixels);
            }
    }
    ASSERT_EQ(single.size(), 9u);
    for (std::size_t i = 0; i < single.size(); ++i)
        EXPECT_EQ(single[i], many[i]) << "render " << i;
}

TEST(GlowFrame, GlowSpreadsPastTheBlockInEveryGlowType) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, greyWithWhiteBlock(12, 9));
    for (A_long glowType : {1, 2, 3}) {
        g.glowSettings(glowType, 3);
        const auto out = g.host().renderFrame();
        ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
        // The block covers layer columns 4..7, rows 3..5; one pixel left of it, in the grey.
        const A_long x = 3 - out.originX, y = 4 - out.originY;
        EXPECT_GT(out.image.row<PF_Pixel8>(y)[x].alpha, 0) << "glow type " << glowType;
    }
}

TEST(GlowFrame, EveryBufferGoesBackAfterARenderAndAfterAnInterruption) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, greyWithWhiteBlock(10, 8));
    for (A_long glowType : {1, 2}) {
        g.glowSettings(glowType, 1);
        const std::size_t worlds = g.host().worlds().live();
        const std::size_t handles = g.host().handles().live();
        const auto done = g.host().renderFrame();
        EXPECT_EQ(done.err, PF_Err_NONE) << done.message;
        EXPECT_EQ(g.host().worlds().live(), worlds);
        EXPECT_EQ(g.host().handles().live(), handles);

        g.host().interaction().interruptAfterProgressCalls(1); // the second blur pass is refused
        const auto stopped = g.host().renderFrame();
        EXPECT_EQ(stopped.err, PF_Interrupt_CANCEL);
        EXPECT_EQ(g.host().worlds().live(), worlds);
        EXPECT_EQ(g.host().handles().live(), handles);
        g.host().interaction().requestInterrupt(false);
    }
}

TEST(GlowFrame, GlowIntensityZeroRemovesTheGlowAtEveryDepth) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    for (PF_PixelFormat format : kFormats)
        for (A_long glowType : {1, 2, 3}) {
            g.host().setLayer(0, atDepth(greyWithWhiteBlock(9, 6), format));
            g.glowSettings(glowType, 3);
            g.set(AEUtil::kIdGlowIntensity, ParamValue::floatSlider(0.0));
            const auto out = g.host().renderFrame();
            ASSERT_EQ(out.err, PF_Err_NONE) << out.message;
            // Extract view: the glow alone, and every lit pixel's channels went to 0.
            for (auto b : out.image.pixels)
                ASSERT_EQ(b, 0) << "format " << format << " type " << glowType;
        }
}

TEST(GlowFrame, TheLastProgressReportIsAQuarter) {
    GlowHost g;
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, greyWithWhiteBlock(6, 6));
    g.glowSettings(1, 1);
    const long before = g.host().interaction().progressCalls();
    ASSERT_EQ(g.host().renderFrame().err, PF_Err_NONE);
    // Two blur passes report 0 % (no step counts as done), the driver min(100, 1 * 100 / 4).
    EXPECT_EQ(g.host().interaction().progressCalls() - before, 3);
    EXPECT_EQ(g.host().interaction().lastProgressCurrent(), 25);
    EXPECT_EQ(g.host().interaction().lastProgressTotal(), 100);
}

TEST(GlowFrame, AnAllocationFailureMidRenderReleasesWhatWasMade) {
    // Planes and worlds of a 24 x 18 output fit; the depth tint's 32769-byte HueWrapTable does not.
    embedhost::HostProfile p = GlowHost::profile(2);
    p.maxAllocationBytes = 20000;
    GlowHost g(p);
    ASSERT_TRUE(g.ok());
    g.host().setLayer(0, atDepth(greyWithWhiteBlock(12, 9), PF_PixelFormat_ARGB64));
    g.host().setLayer(7, greyWithWhiteBlock(12, 9));
    g.glowSettings(2, 1);
    g.set(AEUtil::kIdEnableDepth, ParamValue::checkbox(true));
    g.set(AEUtil::kIdDepthLayer, ParamValue::layerChoice(7));
    const std::size_t worlds = g.host().worlds().live();
    const std::size_t handles = g.host().handles().live();
    const auto out = g.host().renderFrame();
    EXPECT_EQ(out.err, PF_Err_OUT_OF_MEMORY) << out.message;
    EXPECT_EQ(g.host().worlds().live(), worlds);
    EXPECT_EQ(g.host().handles().live(), handles);
}

TEST(GlowFrame, ZeroSizedOutputReturnsAtOnceAndTouchesNothing) {
    // The driver itself, called with a host's in_data and an output world without pixels.
    embedhost::Host host;
    std::vector<PF_Pixel8> pixels(4, PF_Pixel8{1, 2, 3, 4});
    PF_EffectWorld input{}, output{};
    input.data = pixels.data();
    input.width = 2;
    input.height = 2;
    input.rowbytes = 8;
    output = input;
    output.width = 0;
    RenderSettings settings;
    AEUtil::initRenderSettings(settings);
    PF_InData in = host.inData();
    settings.in_data = &in;
    settings.input = &input;
    settings.output = &output;
    settings.pixelFormat = PF_PixelFormat_ARGB32;
    const std::size_t handles = host.handles().live();
    EXPECT_EQ(AEUtil::renderGlowForFormat(settings, 0), PF_Err_NONE);
    for (const auto &p : pixels)
        EXPECT_TRUE(p.alpha == 1 && p.red == 2 && p.green == 3 && p.blue == 4);
    EXPECT_EQ(host.handles().live(), handles);
    EXPECT_EQ(host.worlds().live(), 0u);
    settings.pixelFormat = PF_PixelFormat_INVALID;
    EXPECT_EQ(AEUtil::renderGlowForFormat(settings, 0), PF_Err_UNRECOGNIZED_PARAM_TYPE);
}
