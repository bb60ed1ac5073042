// Depth kernels on hand-worked pixels: the depth index at each pixel form, the depth glow source
// with its threshold and soft zone, and the depth intensity curve.
#include "render/depth/DepthRows.h"

#include <gtest/gtest.h>

#include <limits>

using namespace AEUtil;

namespace {

constexpr A_long kLuminance = 1;
constexpr A_long kAlpha = 2;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Threshold 60 and Threshold Soft 10: thr 19660, soft 3276, lo = thr - soft = 16384.
DepthSourceRule sixtyTen() { return DepthSourceRule(19660, 3276); }

template <class Pixel>
uint16_t sourceOf(const Pixel &p, uint16_t mask, const DepthSourceRule &rule, A_long channel) {
    uint16_t out = 0xBEEF;
    extractDepthSourceRow(&p, 1, &mask, rule, channel, &out);
    return out;
}

} // namespace

TEST(DepthIndex, EachPixelForm) {
    // Transparent and opaque white at every depth: the ends of the table.
    EXPECT_EQ(depthIndex(PF_Pixel8{0, 255, 255, 255}), 0);
    EXPECT_EQ(depthIndex(PF_Pixel16{0, 32768, 32768, 32768}), 0);
    EXPECT_EQ(depthIndex(PF_PixelFloat{0.0f, 1.0f, 1.0f, 1.0f}), 0);
    EXPECT_EQ(depthIndex(PF_Pixel8{255, 255, 255, 255}), 32767);
    EXPECT_EQ(depthIndex(PF_Pixel16{32768, 32768, 32768, 32768}), 32767);
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, 1.0f, 1.0f, 1.0f}), 32767); // 1.000001 * 32767, held at 32767
    // 8 bpc grey 128: sum 128.000128, / 255 = 0.5019613; a16 32768 -> a 1; * 32767 = 16447.77.
    EXPECT_EQ(depthIndex(PF_Pixel8{255, 128, 128, 128}), 16447);
    // 16 bpc grey 16384 at alpha 16384: 0.5000005 * 0.5 * 32767 = 8191.76.
    EXPECT_EQ(depthIndex(PF_Pixel16{16384, 16384, 16384, 16384}), 8191);
    // Half alpha at 8 bpc: a16 = (128 * 32768 + 128) / 255 = 16448; white L = 1: 16448 / 32768 * 32767.
    EXPECT_EQ(depthIndex(PF_Pixel8{128, 255, 255, 255}), 16447);
    // Float grey 0.5: 0.5000005 * 32767 = 16383.52.
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, 0.5f, 0.5f, 0.5f}), 16383);
}

TEST(DepthIndex, FloatOutOfRangeStaysInTheTable) {
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, kNaN, 0.5f, 0.5f}), 0);
    EXPECT_EQ(depthIndex(PF_PixelFloat{kNaN, 1.0f, 1.0f, 1.0f}), 0);
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, -1.0f, -1.0f, -1.0f}), 0);
    EXPECT_EQ(depthIndex(PF_PixelFloat{-1.0f, 1.0f, 1.0f, 1.0f}), 0);
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, 1e30f, 1e30f, 1e30f}), 32767);
    EXPECT_EQ(depthIndex(PF_PixelFloat{1.0f, 2.0f, 2.0f, 2.0f}), 32767); // no cap on L, limit of the index
    // Alpha 0.25 and grey 1.6: 1.6000016 * 0.25 * 32767 = 13106.81, so L is not capped at 1.
    EXPECT_EQ(depthIndex(PF_PixelFloat{0.25f, 1.6f, 1.6f, 1.6f}), 13106);
}

TEST(DepthSource, MaskedSquareOfTheValue) {
    // k = 32768 - M; x = k * a' / 32768; s = x * x / 32768.
    EXPECT_EQ(maskedSquare(32768, 0), 32768);
    EXPECT_EQ(maskedSquare(19660, 0), 11795);    // 386515600 / 32768 = 11795.5
    EXPECT_EQ(maskedSquare(19660, 16384), 2948); // x 9830: 96628900 / 32768 = 2948.9
    EXPECT_EQ(maskedSquare(32768, 32768), 0);
    EXPECT_EQ(maskedSquare(32768, 65535), 0); // a mask beyond full weighs as full
    EXPECT_EQ(maskedSquare(49152, 0), 65535); // 73728 saturates rather than wraps
}

TEST(DepthSource, AlphaThresholdAndFractionalSoftZone) {
    const DepthSourceRule rule = sixtyTen();
    EXPECT_EQ(rule.lo(), 16384);
    EXPECT_EQ(rule.thrMinus1(), 19659);
    EXPECT_EQ(DepthSourceRule(5, 100).lo(), -1);
    struct Case {
        uint16_t alpha, mask, expected;
    };
    const Case cases[] = {
        {19660, 0, 11795},    // at thr: s whole
        {19660, 16384, 2948}, // the mask weighs the output, not the threshold
        {19660, 32768, 0},
        {19659, 0, 11790}, // top of the zone: s 11794, q 3275/3276: 11790.9
        {18022, 0, 4956},  // q = 1638/3276 = 0.5 of s 9911, + 0.5
        {16385, 0, 3},     // q = 1/3276 of s 8193: 2.5 + 0.5
        {16384, 0, 0},     // at lo
        {0, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sourceOf(PF_Pixel16{c.alpha, 0, 0, 0}, c.mask, rule, kAlpha), c.expected) << c.alpha << " " << c.mask;
    // Without a soft width nothing below thr passes, and a Threshold of 0 passes everything.
    EXPECT_EQ(sourceOf(PF_Pixel16{19659, 0, 0, 0}, 0, DepthSourceRule(19660, 0), kAlpha), 0);
    EXPECT_EQ(sourceOf(PF_Pixel16{19659, 0, 0, 0}, 0, DepthSourceRule(19660, 1), kAlpha), 0);
    EXPECT_EQ(sourceOf(PF_Pixel16{1, 0, 0, 0}, 0, DepthSourceRule(0, 0), kAlpha), 0); // 1 * 1 / 32768
    EXPECT_EQ(sourceOf(PF_Pixel16{256, 0, 0, 0}, 0, DepthSourceRule(0, 0), kAlpha), 2);
}

TEST(DepthSource, LuminanceAtEachForm) {
    const DepthSourceRule open(0, 0);
    // 8 bpc grey 128 opaque: Lq = trunc(0.5019613 * 32768) = 16448, a' = 16448; s = 8256.125.
    EXPECT_EQ(depthLuminanceValue(PF_Pixel8{255, 128, 128, 128}), 16448);
    EXPECT_EQ(sourceOf(PF_Pixel8{255, 128, 128, 128}, 0, open, kLuminance), 8256);
    // Same at M 8192: x = 24576 * 16448 / 32768 = 12336, s = 152176896 / 32768 = 4644.07.
    EXPECT_EQ(sourceOf(PF_Pixel8{255, 128, 128, 128}, 8192, open, kLuminance), 4644);
    // Grey 128 at alpha 128 (a16 16448): a' = 16448 * 16448 / 32768 = 8256, s = 2080.125.
    EXPECT_EQ(sourceOf(PF_Pixel8{128, 128, 128, 128}, 0, open, kLuminance), 2080);
    // Luminance reads the colour, Alpha does not.
    EXPECT_EQ(sourceOf(PF_Pixel8{255, 0, 0, 0}, 0, open, kLuminance), 0);
    EXPECT_EQ(sourceOf(PF_Pixel8{255, 0, 0, 0}, 0, open, kAlpha), 32768);
    // Float over-bright is capped at L = 1; transparent gives 0 in both channels.
    EXPECT_EQ(sourceOf(PF_PixelFloat{1.0f, 2.0f, 2.0f, 2.0f}, 0, open, kLuminance), 32768);
    EXPECT_EQ(sourceOf(PF_PixelFloat{0.0f, 1.0f, 1.0f, 1.0f}, 0, open, kLuminance), 0);
    EXPECT_EQ(sourceOf(PF_PixelFloat{kNaN, 1.0f, 1.0f, 1.0f}, 0, open, kAlpha), 0);
    EXPECT_EQ(sourceOf(PF_Pixel16{32768, 32768, 32768, 32768}, 0, open, kLuminance), 32768);
    EXPECT_EQ(sourceOf(PF_Pixel16{32768, 32768, 32768, 32768}, 32768, open, kLuminance), 0);
}

TEST(DepthIntensityCurve, WorkedValues) {
    struct Case {
        double intensity;
        uint16_t mask, v, expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1, 0, 0, 0},
        {1, 0, 32768, 32768},     // log10(2) / log10(2)
        {1, 0, 16384, 19168},     // log2(1.5) = 0.5849625: 19168.05 + 0.5
        {1, 16384, 32768, 10549}, // w = 8192, a quarter: log2(1.25) * 32768 = 10548.94 + 0.5
        {1, 16384, 16384, 5568},  // log2(1.125) * 32768 = 5568.10 + 0.5
        {1, 32768, 32768, 0},     // w = 0
        {9, 0, 3277, 9135},       // log10(1.90005) * 32768 = 9134.61 + 0.5
        {0, 0, 32768, 0},         // log10(1) = 0: no curve
        {-0.5, 0, 32768, 0},      // log10(0.5) < 0
        {nan, 0, 32768, 0},
    };
    for (const Case &c : cases) {
        uint16_t v = c.v;
        applyDepthIntensityRow(&v, &c.mask, 1, DepthIntensityCurve(c.intensity));
        EXPECT_EQ(v, c.expected) << c.intensity << " " << c.mask << " " << c.v;
    }
}
