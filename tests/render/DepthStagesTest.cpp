// The depth stages through iterate_generic: crop clipping, the mask built over the rectangle,
// the depth glow source and intensity curve inside their rectangles, and the same bytes from
// one call and from several workers at every pixel form.
#include "render/depth/DepthStages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StageTestSupport.h"
#include "render/depth/DepthCurve.h"

using namespace stagetest;

namespace {

constexpr A_long kLuminance = 1;
constexpr A_long kAlpha = 2;
const PF_Pixel8 kMarker{7, 7, 7, 7};

bool same(const PF_Pixel8 &a, const PF_Pixel8 &b) {
    return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Every layer pixel tells where it came from.
World<PF_Pixel8> numberedLayer(int width, int height) {
    World<PF_Pixel8> layer(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            layer.at(x, y) = {255, A_u_char(10 * x + y), A_u_char(y), A_u_char(x)};
    return layer;
}

} // namespace

TEST(CropDepthLayer, CopiesOnlyPixelsInsideTheLayerAndTheCrop) {
    const World<PF_Pixel8> layer = numberedLayer(3, 2);
    struct Case {
        PlaneRect rect;
        int cropW, cropH;
    };
    const Case cases[] = {
        {{-1, 1, 3, 4}, 4, 3}, // one column left of the layer, rows below it
        {{1, 0, 5, 3}, 2, 1},  // rect larger than both worlds
        {{5, 5, 8, 8}, 3, 3},  // wholly outside the layer
        {{0, -2, 3, 2}, 3, 4}, // rows above the layer
    };
    for (const Case &c : cases) {
        World<PF_Pixel8> crop(c.cropW, c.cropH, kMarker);
        ASSERT_EQ(cropDepthLayer<PF_Pixel8>(StageHost{}, crop.w, layer.w, c.rect), PF_Err_NONE);
        for (int i = 0; i < c.cropH; ++i)
            for (int j = 0; j < c.cropW; ++j) {
                const int sx = c.rect.left + j, sy = c.rect.top + i;
                const bool inside = j < c.rect.right - c.rect.left && i < c.rect.bottom - c.rect.top && sx >= 0 &&
                                    sx < 3 && sy >= 0 && sy < 2;
                const PF_Pixel8 want = inside ? layer.px[std::size_t(sy * 3 + sx)] : kMarker;
                EXPECT_TRUE(same(crop.at(j, i), want)) << "rect left " << c.rect.left << " crop " << j << "," << i;
            }
    }
    // The first case by hand: crop row 0 holds layer row 1 from column 1 on.
    World<PF_Pixel8> crop(4, 3, kMarker);
    ASSERT_EQ(cropDepthLayer<PF_Pixel8>(StageHost{}, crop.w, layer.w, {-1, 1, 3, 4}), PF_Err_NONE);
    EXPECT_EQ(crop.at(1, 0).red, 1);
    EXPECT_EQ(crop.at(3, 0).red, 21);
    EXPECT_EQ(crop.at(0, 0).red, 7);
    EXPECT_EQ(crop.at(1, 1).red, 7);
}

TEST(BuildDepthMask, ClearsThenMapsTheRectThroughTheCurve) {
    // Depth Bias 100 halves depths below the centre: index 8191 -> 4095, 32767 -> 32767.
    const DepthCurve jump(50, 100, {});
    World<PF_Pixel16> placement(3, 2);
    placement.at(0, 0) = {0, 32768, 32768, 32768};     // transparent: index 0
    placement.at(1, 0) = {32768, 32768, 32768, 32768}; // white: 32767
    placement.at(2, 0) = {16384, 16384, 16384, 16384}; // 0.5000005 * 0.5 * 32767: 8191
    placement.at(2, 1) = {32768, 32768, 32768, 32768};

    GlowPlane M = plane(4, 3, 999);
    ASSERT_EQ(buildDepthMask<PF_Pixel16>(StageHost{}, placement.w, {0, 0, 3, 1}, jump.data(), M), PF_Err_NONE);
    EXPECT_EQ(values(M), (std::vector<uint16_t>{0, 32767, 4095, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(M.content, 0);
    EXPECT_EQ(M.bounds.right, 0);

    // A rect beyond the placement world reads only what is there; an offset rect reads from its corner.
    GlowPlane wide = plane(5, 3, 999), offset = plane(2, 1, 999);
    ASSERT_EQ(buildDepthMask<PF_Pixel16>(StageHost{}, placement.w, {0, 0, 5, 3}, jump.data(), wide), PF_Err_NONE);
    EXPECT_EQ(values(wide), (std::vector<uint16_t>{0, 32767, 4095, 0, 0, 0, 0, 32767, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(buildDepthMask<PF_Pixel16>(StageHost{}, placement.w, {1, 1, 3, 2}, jump.data(), offset), PF_Err_NONE);
    EXPECT_EQ(values(offset), (std::vector<uint16_t>{0, 32767}));

    // Without a curve the stage refuses before touching M.
    GlowPlane kept = plane(2, 1, 999);
    EXPECT_EQ(buildDepthMask<PF_Pixel16>(StageHost{}, placement.w, {0, 0, 2, 1}, nullptr, kept),
              PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(values(kept), (std::vector<uint16_t>{999, 999}));
}

TEST(ExtractDepthSource, WritesEveryRectPixelFromItsCorner) {
    World<PF_Pixel8> src(3, 2);
    src.at(1, 1) = {255, 128, 128, 128}; // a' 16448 by luminance, 32768 by alpha
    src.at(2, 1) = {255, 255, 255, 255};
    src.at(0, 1) = {255, 255, 255, 255}; // left of the rect: never read
    GlowPlane M = plane(3, 2, 0);
    M.row(0)[1] = 32768; // full mask over the white pixel
    for (A_long channel : {kLuminance, kAlpha}) {
        GlowPlane E = plane(3, 2, 77);
        ASSERT_EQ(extractDepthSource<PF_Pixel8>(StageHost{}, src.w, M, {1, 1, 3, 2}, 0, 0, channel, E), PF_Err_NONE);
        // Luminance s = 16448^2 / 32768 = 8256; alpha s = 32768. Outside the 2 x 1 rect E keeps 77.
        const uint16_t grey = channel == kLuminance ? 8256 : 32768;
        EXPECT_EQ(values(E), (std::vector<uint16_t>{grey, 0, 77, 77, 77, 77})) << channel;
    }
    // Transparent pixels are written too, as 0, and a rect past the world reads nothing beyond it.
    World<PF_Pixel8> clear(2, 1);
    GlowPlane E = plane(4, 2, 77), open = plane(4, 2, 0);
    ASSERT_EQ(extractDepthSource<PF_Pixel8>(StageHost{}, clear.w, open, {0, 0, 4, 2}, 0, 0, kAlpha, E), PF_Err_NONE);
    EXPECT_EQ(values(E), (std::vector<uint16_t>{0, 0, 77, 77, 77, 77, 77, 77}));
}

TEST(ApplyDepthIntensityCurve, InPlaceInsideTheRect) {
    GlowPlane Gd = plane(3, 2, 16384), M = plane(3, 2, 0);
    M.row(0)[1] = 32768;
    // Intensity 1: log2(1 + v) at M 0, so 16384 -> 19168; full mask -> 0.
    ASSERT_EQ(applyDepthIntensityCurve(StageHost{}, M, {0, 0, 2, 1}, 1.0, Gd), PF_Err_NONE);
    EXPECT_EQ(values(Gd), (std::vector<uint16_t>{19168, 0, 16384, 16384, 16384, 16384}));
    GlowPlane big = plane(2, 1, 32768), smallMask = plane(1, 1, 0);
    ASSERT_EQ(applyDepthIntensityCurve(StageHost{}, smallMask, {0, 0, 9, 9}, 1.0, big), PF_Err_NONE);
    EXPECT_EQ(values(big), (std::vector<uint16_t>{32768, 32768})) << "the second column has no mask sample";
}

namespace {

template <class Pixel>
Pixel randomPixel(std::mt19937 &rng);
template <>
PF_Pixel8 randomPixel(std::mt19937 &rng) {
    return {A_u_char(rng()), A_u_char(rng()), A_u_char(rng()), A_u_char(rng())};
}
template <>
PF_Pixel16 randomPixel(std::mt19937 &rng) {
    auto c = [&] { return A_u_short(rng() % 32769); };
    return {c(), c(), c(), c()};
}
template <>
PF_PixelFloat randomPixel(std::mt19937 &rng) {
    auto c = [&] { return float(rng() % 1200) / 1000.0f; }; // some over-bright
    return {c(), c(), c(), c()};
}

// All four stages with the given host: crop bytes, then M, E and Gd.
template <class Pixel>
std::vector<uint16_t> depthBranch(const StageHost &host, const World<Pixel> &layer,
                                  std::vector<unsigned char> &cropBytes) {
    constexpr int W = 29, H = 23;
    World<Pixel> crop(W, H);
    EXPECT_EQ(cropDepthLayer<Pixel>(host, crop.w, layer.w, {-3, 2, W - 3, H + 2}), PF_Err_NONE);
    cropBytes = crop.bytes();
    const DepthCurve curve(40, 35, host.memory);
    const PlaneRect rect{0, 0, W, H};
    GlowPlane M = plane(W, H), E = plane(W, H), Gd = plane(W, H);
    EXPECT_EQ(buildDepthMask<Pixel>(host, crop.w, rect, curve.data(), M), PF_Err_NONE);
    EXPECT_EQ(extractDepthSource<Pixel>(host, layer.w, M, rect, 9000, 4000, kLuminance, E), PF_Err_NONE);
    Gd.copyFrom(E);
    EXPECT_EQ(applyDepthIntensityCurve(host, M, rect, 2.5, Gd), PF_Err_NONE);
    std::vector<uint16_t> all = values(M);
    for (const GlowPlane *p : {&E, &Gd}) {
        const std::vector<uint16_t> v = values(*p);
        all.insert(all.end(), v.begin(), v.end());
    }
    return all;
}

template <class Pixel>
void expectSameOverWorkers() {
    World<Pixel> layer(29, 23);
    std::mt19937 rng(5);
    for (auto &p : layer.px)
        p = randomPixel<Pixel>(rng);
    std::vector<unsigned char> serialCrop, threadedCrop;
    const std::vector<uint16_t> serial = depthBranch(StageHost{}, layer, serialCrop);
    embedhost::Host host(workers(4));
    EXPECT_EQ(depthBranch(stagesOf(host), layer, threadedCrop), serial);
    EXPECT_EQ(threadedCrop, serialCrop);
    EXPECT_GT(std::count_if(serial.begin() + 2 * 29 * 23, serial.end(), [](uint16_t v) { return v > 0; }), 100)
        << "a blank depth glow would prove nothing";
}

} // namespace

TEST(DepthStageThreads, OneCallAndFourWorkersGiveTheSameBytes) {
    expectSameOverWorkers<PF_Pixel8>();
    expectSameOverWorkers<PF_Pixel16>();
    expectSameOverWorkers<PF_PixelFloat>();
}
