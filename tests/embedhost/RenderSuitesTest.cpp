// The render suites the embedded host offers, called directly: fills at every depth, copy and
// copy_hq with and without scaling, and the AEGP chain from the effect to its item's size.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <stdexcept>
#include <utility>
#include <vector>

#include "AE_GeneralPlug.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Image;

namespace {

class RenderSuites : public ::testing::Test {
protected:
    template <class Suite>
    const Suite *acquire(const char *name, int32_t version) {
        const void *table = nullptr;
        EXPECT_EQ(host_.suites().basicSuite()->AcquireSuite(name, version, &table), kSPNoError);
        acquired_.push_back({name, version});
        return static_cast<const Suite *>(table);
    }
    void TearDown() override {
        for (auto &[name, version] : acquired_)
            host_.suites().basicSuite()->ReleaseSuite(name, version);
        for (PF_EffectWorld &w : worlds_)
            host_.worlds().dispose(&w);
    }
    // A new world with every byte set to the host's garbage pattern.
    PF_EffectWorld &world(A_long w, A_long h, PF_PixelFormat format) {
        worlds_.emplace_back();
        EXPECT_EQ(host_.worlds().create(w, h, format, false, &worlds_.back()), PF_Err_NONE);
        return worlds_.back();
    }
    template <class Pixel>
    static Pixel &at(PF_EffectWorld &w, A_long x, A_long y) {
        return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + std::size_t(w.rowbytes) * y)[x];
    }
    // Red channel of an 8-bit row.
    static std::vector<int> reds(PF_EffectWorld &w, A_long y = 0) {
        std::vector<int> out;
        for (A_long x = 0; x < w.width; ++x)
            out.push_back(at<PF_Pixel8>(w, x, y).red);
        return out;
    }
    static void setReds(PF_EffectWorld &w, const std::vector<int> &values) {
        for (A_long x = 0; x < w.width; ++x)
            at<PF_Pixel8>(w, x, 0) = PF_Pixel8{255, A_u_char(values[std::size_t(x)]), 0, 0};
    }

    Host host_;
    PF_ProgPtr ref_ = host_.effectRef();
    std::vector<std::pair<const char *, int32_t>> acquired_;
    std::deque<PF_EffectWorld> worlds_;
};

TEST_F(RenderSuites, FillWritesTheColorAtEachDepth) {
    auto *fm = acquire<PF_FillMatteSuite2>(kPFFillMatteSuite, kPFFillMatteSuiteVersion2);
    PF_EffectWorld &w8 = world(2, 2, PF_PixelFormat_ARGB32);
    PF_EffectWorld &w16 = world(2, 1, PF_PixelFormat_ARGB64);
    PF_EffectWorld &wf = world(1, 1, PF_PixelFormat_ARGB128);

    ASSERT_EQ(fm->fill(ref_, nullptr, nullptr, &w8), PF_Err_NONE); // null colour: transparent black
    for (A_long y = 0; y < 2; ++y)
        for (A_long x = 0; x < 2; ++x)
            EXPECT_EQ(std::memcmp(&at<PF_Pixel8>(w8, x, y), "\0\0\0\0", 4), 0);

    const PF_Pixel opaqueBlack{255, 0, 0, 0};
    const PF_Rect second{1, 0, 2, 1};
    ASSERT_EQ(fm->fill(ref_, &opaqueBlack, &second, &w8), PF_Err_NONE);
    EXPECT_EQ(at<PF_Pixel8>(w8, 1, 0).alpha, 255);
    EXPECT_EQ(at<PF_Pixel8>(w8, 0, 0).alpha, 0); // outside the rectangle
    EXPECT_EQ(at<PF_Pixel8>(w8, 1, 1).alpha, 0);

    // 8-bit colours scale by 32768 / 255: 128 -> 16448.25 -> 16448.
    const PF_Pixel c{255, 255, 128, 0};
    ASSERT_EQ(fm->fill(ref_, &c, nullptr, &w16), PF_Err_NONE);
    const PF_Pixel16 p16 = at<PF_Pixel16>(w16, 1, 0);
    EXPECT_EQ(p16.alpha, 32768);
    EXPECT_EQ(p16.red, 32768);
    EXPECT_EQ(p16.green, 16448);
    EXPECT_EQ(p16.blue, 0);

    const PF_Pixel c2{255, 51, 0, 255};
    ASSERT_EQ(fm->fill(ref_, &c2, nullptr, &wf), PF_Err_NONE);
    EXPECT_FLOAT_EQ(at<PF_PixelFloat>(wf, 0, 0).alpha, 1.0f);
    EXPECT_FLOAT_EQ(at<PF_PixelFloat>(wf, 0, 0).red, 0.2f);
    EXPECT_FLOAT_EQ(at<PF_PixelFloat>(wf, 0, 0).blue, 1.0f);

    // fill_float onto 8 bit: 0.5 * 255 = 127.5 rounds up, 0.25 * 255 = 63.75 -> 64.
    const PF_PixelFloat f{1.0f, 0.5f, 0.25f, 0.0f};
    ASSERT_EQ(fm->fill_float(ref_, &f, nullptr, &w8), PF_Err_NONE);
    const PF_Pixel8 p8 = at<PF_Pixel8>(w8, 0, 1);
    EXPECT_EQ(p8.alpha, 255);
    EXPECT_EQ(p8.red, 128);
    EXPECT_EQ(p8.green, 64);
    EXPECT_EQ(p8.blue, 0);
}

TEST_F(RenderSuites, FillRefusesBadArgumentsAndChangesNothing) {
    auto *fm = acquire<PF_FillMatteSuite2>(kPFFillMatteSuite, kPFFillMatteSuiteVersion2);
    PF_EffectWorld &w = world(2, 2, PF_PixelFormat_ARGB32);
    const PF_Rect outside{1, 1, 3, 2};
    EXPECT_EQ(fm->fill(ref_, nullptr, &outside, &w), PF_Err_BAD_CALLBACK_PARAM);
    int stranger = 0;
    EXPECT_EQ(fm->fill(reinterpret_cast<PF_ProgPtr>(&stranger), nullptr, nullptr, &w), PF_Err_BAD_CALLBACK_PARAM);
    PF_EffectWorld narrowed = w;
    narrowed.width = 1; // does not describe the host's buffer
    EXPECT_EQ(fm->fill(ref_, nullptr, nullptr, &narrowed), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(at<PF_Pixel8>(w, 1, 1).alpha, embedhost::WorldStore::kGarbageByte);
    EXPECT_EQ(reinterpret_cast<PF_Err (*)()>(fm->premultiply)(), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    EXPECT_EQ(host_.interaction().unsupportedCalls("premultiply"), 1);
}

TEST_F(RenderSuites, CopyTakesNearestPixelsAndCopyHqInterpolates) {
    auto *wt = acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    PF_EffectWorld &two = world(2, 1, PF_PixelFormat_ARGB32);
    PF_EffectWorld &four = world(4, 1, PF_PixelFormat_ARGB32);
    setReds(two, {0, 200});

    // Up 2 -> 4: nearest source pixels 0, 0, 1, 1; bilinear at source x -0.25 (clamped), 0.25,
    // 0.75, 1.25 (clamped) gives 0, 50, 150, 200.
    ASSERT_EQ(wt->copy(ref_, &two, &four, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(reds(four), (std::vector<int>{0, 0, 200, 200}));
    ASSERT_EQ(wt->copy_hq(ref_, &two, &four, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(reds(four), (std::vector<int>{0, 50, 150, 200}));
    EXPECT_EQ(at<PF_Pixel8>(four, 1, 0).alpha, 255);

    // Down 4 -> 2: nearest takes source pixels 1 and 3; bilinear samples 0.5 and 2.5.
    setReds(four, {10, 20, 30, 40});
    ASSERT_EQ(wt->copy(ref_, &four, &two, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(reds(two), (std::vector<int>{20, 40}));
    ASSERT_EQ(wt->copy_hq(ref_, &four, &two, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(reds(two), (std::vector<int>{15, 35}));

    // Rectangles: source pixels 2..3 onto destination pixel 0 only.
    setReds(two, {7, 9});
    PF_Rect sr{2, 0, 4, 1}, dr{0, 0, 1, 1};
    ASSERT_EQ(wt->copy_hq(ref_, &four, &two, &sr, &dr), PF_Err_NONE);
    EXPECT_EQ(reds(two), (std::vector<int>{35, 9}));
}

TEST_F(RenderSuites, CopyHqScalesColumnsAt16Bit) {
    auto *wt = acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    PF_EffectWorld &src = world(1, 2, PF_PixelFormat_ARGB64);
    PF_EffectWorld &dst = world(1, 3, PF_PixelFormat_ARGB64);
    at<PF_Pixel16>(src, 0, 0) = PF_Pixel16{0, 0, 0, 0};
    at<PF_Pixel16>(src, 0, 1) = PF_Pixel16{32768, 32768, 32768, 32768};
    // Rows sample source y = -1/6 (clamped to 0), 0.5 and 7/6 (clamped to 1).
    ASSERT_EQ(wt->copy_hq(ref_, &src, &dst, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(at<PF_Pixel16>(dst, 0, 0).green, 0);
    EXPECT_EQ(at<PF_Pixel16>(dst, 0, 1).green, 16384);
    EXPECT_EQ(at<PF_Pixel16>(dst, 0, 2).green, 32768);
}

TEST_F(RenderSuites, CopyRefusesMixedFormatsAndBadRectangles) {
    auto *wt = acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    PF_EffectWorld &a = world(2, 2, PF_PixelFormat_ARGB32);
    PF_EffectWorld &b = world(2, 2, PF_PixelFormat_ARGB128);
    PF_EffectWorld &c = world(2, 2, PF_PixelFormat_ARGB32);
    EXPECT_EQ(wt->copy(ref_, &a, &b, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(wt->copy_hq(ref_, &a, &b, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    PF_Rect outside{0, 0, 3, 1}, empty{1, 1, 1, 2};
    EXPECT_EQ(wt->copy(ref_, &a, &c, &outside, nullptr), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(wt->copy_hq(ref_, &a, &c, nullptr, &empty), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(at<PF_Pixel8>(c, 0, 0).red, embedhost::WorldStore::kGarbageByte);
    EXPECT_EQ(reinterpret_cast<PF_Err (*)()>(wt->transform_world)(), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    EXPECT_EQ(host_.interaction().unsupportedCalls("transform_world"), 1);
}

TEST_F(RenderSuites, AegpChainReportsTheItemSize) {
    auto *pf = acquire<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1);
    auto *layers = acquire<AEGP_LayerSuite5>(kAEGPLayerSuite, 11);
    auto *items = acquire<AEGP_ItemSuite7>(kAEGPItemSuite, 11);
    AEGP_LayerH layer = nullptr;
    AEGP_ItemH item = nullptr;
    A_long w = -1, h = -1;
    EXPECT_NE(pf->AEGP_GetEffectLayer(reinterpret_cast<PF_ProgPtr>(&w), &layer), PF_Err_NONE);
    ASSERT_EQ(pf->AEGP_GetEffectLayer(ref_, &layer), PF_Err_NONE);
    EXPECT_NE(layers->AEGP_GetLayerSourceItem(reinterpret_cast<AEGP_LayerH>(&w), &item), PF_Err_NONE);
    ASSERT_EQ(layers->AEGP_GetLayerSourceItem(layer, &item), PF_Err_NONE);
    EXPECT_NE(items->AEGP_GetItemDimensions(reinterpret_cast<AEGP_ItemH>(layer), &w, &h), PF_Err_NONE);

    ASSERT_EQ(items->AEGP_GetItemDimensions(item, &w, &h), PF_Err_NONE); // no layer: the profile's
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    host_.setLayer(embedhost::kInputLayerId, Image::make(30, 20, PF_PixelFormat_ARGB32));
    ASSERT_EQ(items->AEGP_GetItemDimensions(item, &w, &h), PF_Err_NONE);
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 20);
    host_.setItemSize(100, 50);
    ASSERT_EQ(items->AEGP_GetItemDimensions(item, &w, &h), PF_Err_NONE);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    EXPECT_THROW(host_.setItemSize(0, 5), std::invalid_argument);
}

TEST(RenderSuitesWithheld, AnswerAsNotFound) {
    Host host(HostProfile{}.withhold(kPFFillMatteSuite, 2).withhold(kAEGPItemSuite, 11));
    const void *table = nullptr;
    EXPECT_NE(host.suites().basicSuite()->AcquireSuite(kPFFillMatteSuite, 2, &table), kSPNoError);
    EXPECT_NE(host.suites().basicSuite()->AcquireSuite(kAEGPItemSuite, 11, &table), kSPNoError);
    EXPECT_EQ(host.suites().basicSuite()->AcquireSuite(kPFWorldTransformSuite, 1, &table), kSPNoError);
    host.suites().basicSuite()->ReleaseSuite(kPFWorldTransformSuite, 1);
}

TEST(LayerStoreInput, RefusesBadImages) {
    Host host;
    Image wrong = Image::make(2, 2, PF_PixelFormat_ARGB32);
    wrong.pixels.pop_back();
    EXPECT_THROW(host.setLayer(0, wrong), std::invalid_argument);
    EXPECT_THROW(host.setLayer(-1, Image::make(2, 2, PF_PixelFormat_ARGB32)), std::invalid_argument);
    EXPECT_THROW(host.setLayer(0, Image::make(0, 2, PF_PixelFormat_ARGB32)), std::invalid_argument);
    EXPECT_THROW(host.setLayer(0, Image::make(2, 2, 0x1234)), std::invalid_argument);
    EXPECT_FALSE(host.layers().inputSize().has_value());
}

} // namespace
