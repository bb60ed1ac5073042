// The renderer's host world operations against the embedded host: the item size through the
// AEGP suites, fills, whole-world copies by quality and the scaling copy.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "embedhost/Host.h"
#include "render/pipeline/HostWorldOps.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Image;

namespace {

class HostWorldOps : public ::testing::Test {
protected:
    explicit HostWorldOps(HostProfile profile = {}) : host_(std::move(profile)) {}
    void TearDown() override {
        for (PF_EffectWorld &w : worlds_)
            host_.worlds().dispose(&w);
        EXPECT_EQ(host_.suites().outstanding(), 0);
    }
    PF_EffectWorld &world(A_long w, A_long h, PF_PixelFormat format = PF_PixelFormat_ARGB32) {
        worlds_.emplace_back();
        EXPECT_EQ(host_.worlds().create(w, h, format, false, &worlds_.back()), PF_Err_NONE);
        return worlds_.back();
    }
    static PF_Pixel8 &px(PF_EffectWorld &w, A_long x, A_long y = 0) {
        return reinterpret_cast<PF_Pixel8 *>(reinterpret_cast<char *>(w.data) + std::size_t(w.rowbytes) * y)[x];
    }
    static std::vector<int> reds(PF_EffectWorld &w) {
        std::vector<int> out;
        for (A_long x = 0; x < w.width; ++x)
            out.push_back(px(w, x).red);
        return out;
    }
    static void setReds(PF_EffectWorld &w, const std::vector<int> &values) {
        for (A_long x = 0; x < w.width; ++x)
            px(w, x) = PF_Pixel8{255, A_u_char(values[std::size_t(x)]), 0, 0};
    }

    Host host_;
    PF_InData in_ = host_.inData();
    std::deque<PF_EffectWorld> worlds_;
};

TEST_F(HostWorldOps, ItemSizeComesFromTheItemBehindTheLayer) {
    A_long w = -1, h = -1;
    ASSERT_EQ(AEUtil::queryItemSize(&in_, w, h), PF_Err_NONE);
    EXPECT_EQ(w, 640); // no layer set: the profile's size
    EXPECT_EQ(h, 480);
    host_.setLayer(embedhost::kInputLayerId, Image::make(12, 8, PF_PixelFormat_ARGB32));
    host_.setItemSize(1920, 1080);
    ASSERT_EQ(AEUtil::queryItemSize(&in_, w, h), PF_Err_NONE);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
}

TEST_F(HostWorldOps, FailingCallKeepsItsErrorAndZeroSize) {
    A_long w = 5, h = 5;
    PF_InData other = in_;
    other.effect_ref = reinterpret_cast<PF_ProgPtr>(&w); // not this host's instance
    EXPECT_EQ(AEUtil::queryItemSize(&other, w, h), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

class HostWorldOpsWithoutLayerSuite : public HostWorldOps {
protected:
    HostWorldOpsWithoutLayerSuite() : HostWorldOps(HostProfile{}.withhold(kAEGPLayerSuite, 11)) {}
};

TEST_F(HostWorldOpsWithoutLayerSuite, MissingSuiteRaisesAndReleasesTheOthers) {
    A_long w = 0, h = 0;
    EXPECT_THROW(AEUtil::queryItemSize(&in_, w, h), PF_Err);
    EXPECT_EQ(host_.suites().acquired(kAEGPPFInterfaceSuite, 1), 1);
    // TearDown checks that nothing stays acquired.
}

TEST_F(HostWorldOps, FillsTransparentOrOpaqueBlack) {
    PF_EffectWorld &w = world(2, 2);
    ASSERT_EQ(AEUtil::fillWorld(&in_, w, AEUtil::FillColor::OpaqueBlack), PF_Err_NONE);
    for (A_long y = 0; y < 2; ++y)
        for (A_long x = 0; x < 2; ++x) {
            EXPECT_EQ(px(w, x, y).alpha, 255);
            EXPECT_EQ(px(w, x, y).red, 0);
            EXPECT_EQ(px(w, x, y).blue, 0);
        }
    ASSERT_EQ(AEUtil::fillWorld(&in_, w, AEUtil::FillColor::TransparentBlack), PF_Err_NONE);
    EXPECT_EQ(px(w, 1, 1).alpha, 0);
    EXPECT_EQ(px(w, 0, 1).green, 0);
}

TEST_F(HostWorldOps, CopyUsesCopyHqAtHighQualityOnly) {
    PF_EffectWorld &src = world(2, 1);
    PF_EffectWorld &dst = world(4, 1);
    setReds(src, {0, 200});
    in_.quality = PF_Quality_HI; // bilinear: 0, 50, 150, 200
    ASSERT_EQ(AEUtil::copyWorld(&in_, src, dst), PF_Err_NONE);
    EXPECT_EQ(reds(dst), (std::vector<int>{0, 50, 150, 200}));
    in_.quality = PF_Quality_LO; // nearest: 0, 0, 200, 200
    ASSERT_EQ(AEUtil::copyWorld(&in_, src, dst), PF_Err_NONE);
    EXPECT_EQ(reds(dst), (std::vector<int>{0, 0, 200, 200}));
}

TEST_F(HostWorldOps, ScaleCopiesRectangleOntoRectangle) {
    PF_EffectWorld &src = world(3, 1);
    PF_EffectWorld &dst = world(4, 1);
    setReds(src, {90, 0, 100});
    setReds(dst, {1, 2, 3, 4});
    // Source pixels 1..2 (0, 100) spread over destination pixels 1..3: samples at -1/6 (clamped
    // to 0), 0.5 and 7/6 (clamped to 1) of the pair.
    ASSERT_EQ(AEUtil::scaleWorldHq(&in_, src, PF_Rect{1, 0, 3, 1}, dst, PF_Rect{1, 0, 4, 1}), PF_Err_NONE);
    EXPECT_EQ(reds(dst), (std::vector<int>{1, 0, 50, 100}));
    EXPECT_EQ(AEUtil::scaleWorldHq(&in_, src, PF_Rect{1, 0, 4, 1}, dst, PF_Rect{0, 0, 4, 1}),
              PF_Err_BAD_CALLBACK_PARAM);
}

} // namespace
