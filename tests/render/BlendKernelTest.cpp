// Each blend mode at each pixel depth on hand-worked pixel pairs, with and without mixing.
#include "render/composite/BlendKernel.h"
#include "render/composite/BlendModeTable.h"

#include <gtest/gtest.h>

using namespace AEUtil;

namespace {

// Red channel of the kernel's result; green and blue carry the same pair, so they must agree.
int blend8(int p, int u, int q, A_long mode, int a = 255) {
    PF_Pixel8 lower{static_cast<A_u_char>(a), static_cast<A_u_char>(p), static_cast<A_u_char>(p),
                    static_cast<A_u_char>(p)};
    const PF_Pixel8 upper{static_cast<A_u_char>(q), static_cast<A_u_char>(u), static_cast<A_u_char>(u),
                          static_cast<A_u_char>(u)};
    blendKernel(lower, lower, upper, mode);
    EXPECT_EQ(lower.alpha, a);
    EXPECT_EQ(lower.green, lower.red);
    EXPECT_EQ(lower.blue, lower.red);
    return lower.red;
}

int blend16(int p, int u, int q, A_long mode, int a = 32768) {
    PF_Pixel16 lower{static_cast<A_u_short>(a), static_cast<A_u_short>(p), static_cast<A_u_short>(p),
                     static_cast<A_u_short>(p)};
    const PF_Pixel16 upper{static_cast<A_u_short>(q), static_cast<A_u_short>(u), static_cast<A_u_short>(u),
                           static_cast<A_u_short>(u)};
    blendKernel(lower, lower, upper, mode);
    EXPECT_EQ(lower.alpha, a);
    EXPECT_EQ(lower.green, lower.red);
    return lower.red;
}

float blendF(float p, float u, float q, A_long mode, float a = 1.0f) {
    PF_PixelFloat lower{a, p, p, p};
    const PF_PixelFloat upper{q, u, u, u};
    blendKernel(lower, lower, upper, mode);
    EXPECT_EQ(lower.alpha, a);
    EXPECT_EQ(lower.blue, lower.red);
    return lower.red;
}

} // namespace

TEST(BlendModeTable, PopupToKernelMode) {
    const A_long expected[15] = {0, 1, 0, 2, 3, 4, 5, 6, 7, 8, 0, 9, 10, 11, 12};
    for (A_long popup = 0; popup < 15; ++popup)
        EXPECT_EQ(blendKernelMode(popup), expected[popup]) << popup;
    EXPECT_EQ(blendKernelMode(-1), 0);
    EXPECT_EQ(blendKernelMode(15), 0);
}

TEST(BlendKernel8, OpaqueUpperModeResults) {
    EXPECT_EQ(blend8(100, 200, 255, kBlendNormal), 200);
    EXPECT_EQ(blend8(40, 200, 255, kBlendAdd), 239); // (200*255)>>8 = 199
    EXPECT_EQ(blend8(100, 200, 255, kBlendAdd), 255);
    EXPECT_EQ(blend8(220, 100, 255, kBlendSubstract), 121); // 220 - 99
    EXPECT_EQ(blend8(100, 200, 255, kBlendSubstract), 0);
    EXPECT_EQ(blend8(100, 200, 255, kBlendMultiply), 78); // 20000 / 256
    EXPECT_EQ(blend8(100, 200, 255, kBlendScreen), 220);  // (-8525 + 65025) / 256
    EXPECT_EQ(blend8(100, 200, 255, kBlendOverlay), 156); // 20000 / 128
    EXPECT_EQ(blend8(200, 100, 255, kBlendOverlay), 189); // 255 - 8525/128
    EXPECT_EQ(blend8(128, 100, 255, kBlendOverlay), 102); // switches at 128: 255 - 19685/128
    EXPECT_EQ(blend8(127, 100, 255, kBlendOverlay), 99);
    EXPECT_EQ(blend8(100, 200, 255, kBlendHardLight), 189);
    EXPECT_EQ(blend8(200, 100, 255, kBlendHardLight), 156);
    EXPECT_EQ(blend8(100, 200, 255, kBlendSoftLight), 133); // curve 0.52525 * 255 = 133.9
    EXPECT_EQ(blend8(100, 50, 255, kBlendSoftLight), 63);   // curve 0.24726 * 255 = 63.05
    EXPECT_EQ(blend8(20, 255, 255, kBlendSoftLight), 63);   // d < 0.125 branch: 63.73
    EXPECT_EQ(blend8(255, 255, 255, kBlendSoftLight), 255);
    EXPECT_EQ(blend8(100, 200, 255, kBlendDarken), 100);
    EXPECT_EQ(blend8(100, 200, 255, kBlendLighten), 200);
    EXPECT_EQ(blend8(100, 200, 255, kBlendDifference), 100);
    EXPECT_EQ(blend8(200, 100, 255, kBlendDifference), 100);
    EXPECT_EQ(blend8(100, 200, 255, kBlendExclusion), 142); // (5500 + 31000) / 256
    EXPECT_EQ(blend8(100, 200, 255, kBlendTakeUpper), 200);
    EXPECT_EQ(blend8(100, 200, 255, kBlendKeepLower), 100);
}

TEST(BlendKernel8, PartialUpperMixesByLowerAlpha) {
    // w = (127 * 255) >> 8 = 126
    EXPECT_EQ(blend8(100, 200, 128, kBlendNormal), 150);  // 38200 / 254
    EXPECT_EQ(blend8(100, 200, 128, kBlendMultiply), 88); // (78*128 + 100*126) / 254
    EXPECT_EQ(blend8(40, 200, 128, kBlendAdd), 140);      // no mixing: 100 + 40
    EXPECT_EQ(blend8(100, 200, 128, kBlendTakeUpper), 200);
    // Transparent lower: w = 0, so the mode result shows whole.
    EXPECT_EQ(blend8(100, 200, 128, kBlendNormal, 0), 200);
}

TEST(BlendKernel8, TransparentUpperKeepsLowerInEveryMode) {
    for (A_long mode = 0; mode <= 13; ++mode)
        EXPECT_EQ(blend8(100, 200, 0, mode), 100) << mode;
}

TEST(BlendKernel16, OpaqueUpperModeResults) {
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendNormal), 20000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendAdd), 30000);
    EXPECT_EQ(blend16(20000, 20000, 32768, kBlendAdd), 32768);
    EXPECT_EQ(blend16(20000, 5000, 32768, kBlendSubstract), 15000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendSubstract), 0);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendMultiply), 6103);  // 2e8 / 32768
    EXPECT_EQ(blend16(32768, 32768, 32768, kBlendMultiply), 32768); // product 2^30
    EXPECT_EQ(blend16(32768, 32767, 32768, kBlendMultiply), 32767);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendScreen), 23896);    // 783040000 / 32768
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendOverlay), 12207);   // 2e8 / 16384
    EXPECT_EQ(blend16(16384, 20000, 32768, kBlendOverlay), 20000);   // 16384 is still the low slope
    EXPECT_EQ(blend16(16385, 20000, 32768, kBlendOverlay), 20001);   // 32768 - 209178144/16384
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendHardLight), 15025); // 32768 - 290701824/16384
    EXPECT_EQ(blend16(10000, 16384, 32768, kBlendHardLight), 10000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendSoftLight), 11788);
    EXPECT_EQ(blend16(10000, 5000, 32768, kBlendSoftLight), 5172);
    EXPECT_EQ(blend16(2000, 32768, 32768, kBlendSoftLight), 6716);
    EXPECT_EQ(blend16(16384, 16384, 32768, kBlendSoftLight), 16384);
    EXPECT_EQ(blend16(32768, 32768, 32768, kBlendSoftLight), 32768);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendDarken), 10000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendLighten), 20000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendDifference), 10000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendExclusion), 17792); // 583040000 / 32768
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendTakeUpper), 20000);
    EXPECT_EQ(blend16(10000, 20000, 32768, kBlendKeepLower), 10000);
}

TEST(BlendKernel16, PartialUpperMixes) {
    // w = (16384 * 32768) >> 15 = 16384
    EXPECT_EQ(blend16(10000, 20000, 16384, kBlendNormal), 15000);
    EXPECT_EQ(blend16(10000, 20000, 16384, kBlendDarken), 10000);
    EXPECT_EQ(blend16(10000, 20000, 16384, kBlendAdd), 20000); // (16384*20000)>>15 + 10000
    for (A_long mode = 0; mode <= 13; ++mode)
        EXPECT_EQ(blend16(10000, 20000, 0, mode), 10000) << mode;
}

TEST(BlendKernelFloat, OpaqueUpperModeResults) {
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendNormal), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendAdd), 0.75f);
    EXPECT_FLOAT_EQ(blendF(0.75f, 0.5f, 1, kBlendAdd), 1.0f);
    EXPECT_FLOAT_EQ(blendF(0.75f, 0.5f, 1, kBlendSubstract), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendSubstract), 0.0f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendMultiply), 0.125f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendScreen), 0.625f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendOverlay), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.75f, 0.5f, 1, kBlendOverlay), 0.75f);
    EXPECT_FLOAT_EQ(blendF(0.5f, 0.75f, 1, kBlendOverlay), 0.75f); // 0.5 is still the low slope
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendHardLight), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.75f, 1, kBlendHardLight), 0.625f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendSoftLight), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 1.0f, 1, kBlendSoftLight), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.0625f, 1.0f, 1, kBlendSoftLight), 0.208984375f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.0f, 1, kBlendSoftLight), 0.0625f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendDarken), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendLighten), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendDifference), 0.25f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendExclusion), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendTakeUpper), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 1, kBlendKeepLower), 0.25f);
}

TEST(BlendKernelFloat, PartialUpperMixes) {
    // w = 0.5 * 1
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 0.5f, kBlendNormal), 0.375f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 0.5f, kBlendAdd), 0.5f);
    EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 0.5f, kBlendTakeUpper), 0.5f);
    for (A_long mode = 0; mode <= 13; ++mode)
        EXPECT_FLOAT_EQ(blendF(0.25f, 0.5f, 0.0f, mode), 0.25f) << mode;
}

TEST(SoftLightCurve, EndsAndMidpoint) {
    EXPECT_DOUBLE_EQ(softLightCurve(0.0, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(softLightCurve(1.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(softLightCurve(0.3, 0.5), 0.3);
}
