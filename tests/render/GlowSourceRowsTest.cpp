// Threshold rule and glow-source extraction at its edges, in every pixel form and both channels.
#include "render/source/GlowSourceRows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace AEUtil;

namespace {

constexpr A_long kLuminance = 1;
constexpr A_long kAlpha = 2;

// Threshold 60 and Threshold Soft 10 on the 16-bit scale: thr 19660, soft 3276, lo 16383.
ThresholdRule sixtyTen() { return ThresholdRule(19660, 3276); }

template <typename Pixel>
uint16_t extractOne(const Pixel &p, const ThresholdRule &rule, A_long channel) {
    uint16_t out = 0xBEEF;
    extractGlowSourceRow(&p, 1, rule, channel, &out);
    return out;
}

} // namespace

TEST(ThresholdRule, LowerEdgeIsClampedAtMinusOne) {
    EXPECT_EQ(ThresholdRule(0, 0).lo, -1);
    EXPECT_EQ(ThresholdRule(5, 100).lo, -1);
    EXPECT_EQ(sixtyTen().lo, 16383);
    EXPECT_EQ(sixtyTen().thrMinus1, 19659);
}

TEST(ThresholdRule, SoftZoneEdges) {
    const ThresholdRule r = sixtyTen();
    EXPECT_EQ(r.apply(19660.0), 19660); // at thr: whole
    EXPECT_EQ(r.apply(19659.0), 19659); // top of the zone: quotient exactly 1
    EXPECT_EQ(r.apply(18000.0), 8885);  // 1617 / 3276 * 18000 = 8884.6
    EXPECT_EQ(r.apply(16384.0), 5);     // 1 / 3276 * 16384 = 5.001
    EXPECT_EQ(r.apply(16383.0), 0);     // at lo
    EXPECT_EQ(r.apply(0.0), 0);
    EXPECT_EQ(r.apply(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ThresholdRule, NoSoftZoneWhenSoftIsZero) {
    const ThresholdRule r(19660, 0);
    EXPECT_EQ(r.apply(19659.0), 0); // at thr - 1, which is also lo
    EXPECT_EQ(r.apply(19000.0), 0);
    // Anything above thr - 1 passes whole, rounded: fractions below thr included.
    EXPECT_EQ(r.apply(19659.4), 19659);
    EXPECT_EQ(r.apply(19659.9), 19660);
    EXPECT_EQ(r.apply(19660.0), 19660);
}

TEST(ThresholdRule, ThresholdZeroPassesEverything) {
    const ThresholdRule r(0, 3276);
    EXPECT_EQ(r.apply(0.0), 0);
    EXPECT_EQ(r.apply(0.4), 0);
    EXPECT_EQ(r.apply(0.6), 1);
    EXPECT_EQ(r.apply(32768.0), 32768);
}

TEST(Alpha16, EachForm) {
    EXPECT_EQ(alpha16(PF_Pixel8{255, 0, 0, 0}), 32768);
    EXPECT_EQ(alpha16(PF_Pixel8{128, 0, 0, 0}), 16448); // 4194432 / 255 = 16448.75
    EXPECT_EQ(alpha16(PF_Pixel8{1, 0, 0, 0}), 129);     // 32896 / 255 = 129.004
    EXPECT_EQ(alpha16(PF_Pixel16{12345, 0, 0, 0}), 12345);
    EXPECT_EQ(alpha16(PF_PixelFloat{0.25f, 0, 0, 0}), 8192);
    EXPECT_EQ(alpha16(PF_PixelFloat{1.0f, 0, 0, 0}), 32768);
    EXPECT_EQ(alpha16(PF_PixelFloat{-1.0f, 0, 0, 0}), 0);
    EXPECT_EQ(alpha16(PF_PixelFloat{4.0f, 0, 0, 0}), 65535);
    EXPECT_EQ(alpha16(PF_PixelFloat{std::numeric_limits<float>::quiet_NaN(), 0, 0, 0}), 0);
}

TEST(ExtractLuminance, ThresholdZeroSoftZero) {
    const ThresholdRule r(0, 0);
    EXPECT_EQ(extractOne(PF_Pixel8{255, 255, 255, 255}, r, kLuminance), 32768);
    EXPECT_EQ(extractOne(PF_Pixel8{255, 0, 0, 0}, r, kLuminance), 0);
    EXPECT_EQ(extractOne(PF_Pixel8{0, 255, 255, 255}, r, kLuminance), 0);
    EXPECT_EQ(extractOne(PF_Pixel16{32768, 32768, 32768, 32768}, r, kLuminance), 32768);
    EXPECT_EQ(extractOne(PF_PixelFloat{1, 1, 1, 1}, r, kLuminance), 32768);
    EXPECT_EQ(extractOne(PF_PixelFloat{0, 1, 1, 1}, r, kLuminance), 0);
}

TEST(ExtractLuminance, MidGreyAndPartialAlpha) {
    const ThresholdRule r(0, 0);
    // 32768 * 128/255 * 1.000001 = 16448.27
    EXPECT_EQ(extractOne(PF_Pixel8{255, 128, 128, 128}, r, kLuminance), 16448);
    // Weights: only green, 0.586611 * 32768 = 19222.07
    EXPECT_EQ(extractOne(PF_Pixel16{32768, 0, 32768, 0}, r, kLuminance), 19222);
    // White caps L at 1, so v is a16 = trunc(0.5 * 32768 + 0.5)
    EXPECT_EQ(extractOne(PF_PixelFloat{0.5f, 1, 1, 1}, r, kLuminance), 16384);
    // Over-range and negative float colours are capped to 1 and 0.
    EXPECT_EQ(extractOne(PF_PixelFloat{1, 5, 5, 5}, r, kLuminance), 32768);
    EXPECT_EQ(extractOne(PF_PixelFloat{1, -1, -1, -1}, r, kLuminance), 0);
}

TEST(ExtractLuminance, FullThresholdNeedsFullWhite) {
    const ThresholdRule r(32768, 0);
    EXPECT_EQ(extractOne(PF_Pixel8{255, 255, 255, 255}, r, kLuminance), 32768);
    EXPECT_EQ(extractOne(PF_Pixel16{32767, 32768, 32768, 32768}, r, kLuminance), 0);
    EXPECT_EQ(extractOne(PF_Pixel8{255, 254, 255, 255}, r, kLuminance), 0);
}

TEST(ExtractLuminance, SoftZoneOnWhiteWithAlpha) {
    const ThresholdRule r = sixtyTen();
    // White: v equals a16.
    EXPECT_EQ(extractOne(PF_Pixel16{18000, 32768, 32768, 32768}, r, kLuminance), 8885);
    EXPECT_EQ(extractOne(PF_Pixel16{19660, 32768, 32768, 32768}, r, kLuminance), 19660);
    EXPECT_EQ(extractOne(PF_Pixel16{16383, 32768, 32768, 32768}, r, kLuminance), 0);
}

TEST(ExtractAlpha, SoftZoneEdges) {
    const ThresholdRule r = sixtyTen();
    EXPECT_EQ(extractOne(PF_Pixel16{19660, 0, 0, 0}, r, kAlpha), 19660);
    EXPECT_EQ(extractOne(PF_Pixel16{19659, 0, 0, 0}, r, kAlpha), 19659);
    EXPECT_EQ(extractOne(PF_Pixel16{16383, 0, 0, 0}, r, kAlpha), 0);
    // Fades like luminance (the chosen reading of the open soft-zone rule).
    EXPECT_EQ(extractOne(PF_Pixel16{18000, 0, 0, 0}, r, kAlpha), 8885);
}

TEST(ExtractAlpha, IgnoresColorAndZeroAlphaGivesZero) {
    const ThresholdRule r(0, 0);
    EXPECT_EQ(extractOne(PF_Pixel8{255, 0, 0, 0}, r, kAlpha), 32768);
    EXPECT_EQ(extractOne(PF_Pixel8{1, 0, 0, 0}, r, kAlpha), 129);
    EXPECT_EQ(extractOne(PF_Pixel8{0, 255, 255, 255}, r, kAlpha), 0);
    EXPECT_EQ(extractOne(PF_Pixel16{0, 32768, 32768, 32768}, r, kAlpha), 0);
    EXPECT_EQ(extractOne(PF_PixelFloat{0.0f, 1, 1, 1}, r, kAlpha), 0);
    EXPECT_EQ(extractOne(PF_PixelFloat{0.25f, 0, 0, 0}, r, kAlpha), 8192);
}

TEST(ExtractGlowSourceRow, ChannelSelectsKernelAndRowIsFullyWritten) {
    const ThresholdRule r(0, 0);
    const PF_Pixel8 row[3] = {{255, 0, 0, 0}, {255, 255, 255, 255}, {0, 255, 255, 255}};
    uint16_t lum[3] = {1, 1, 1};
    uint16_t alp[3] = {1, 1, 1};
    extractGlowSourceRow(row, 3, r, kLuminance, lum);
    extractGlowSourceRow(row, 3, r, kAlpha, alp);
    EXPECT_EQ(lum[0], 0);
    EXPECT_EQ(lum[1], 32768);
    EXPECT_EQ(lum[2], 0);
    EXPECT_EQ(alp[0], 32768);
    EXPECT_EQ(alp[1], 32768);
    EXPECT_EQ(alp[2], 0);
    // Any value other than 1 is alpha.
    uint16_t other = 1;
    extractGlowSourceRow(row, 1, r, 0, &other);
    EXPECT_EQ(other, 32768);
}
