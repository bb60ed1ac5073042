// The renderer's read of the gradient: check-out at the current time, type and refcon checks,
// a short handle read as far as it goes, check-in on every path, and the sorted copy.
#include <gtest/gtest.h>

#include <cstring>

#include "colorbar/FetchGradient.h"
#include "embedhost/Host.h"

namespace {

using namespace AEUtil;

struct FakeParam {
    PF_ParamDef def{};
    PF_Err checkoutResult = PF_Err_NONE;
    PF_Err checkinResult = PF_Err_NONE;
    int checkouts = 0;
    int checkins = 0;
    PF_ParamIndex index = -1;
    A_long time = -1, step = -1;
    A_u_long scale = 0;
};
FakeParam g_param;

PF_Err fakeCheckout(PF_ProgPtr, PF_ParamIndex index, A_long t, A_long step, A_u_long scale, PF_ParamDef *param) {
    ++g_param.checkouts;
    g_param.index = index;
    g_param.time = t;
    g_param.step = step;
    g_param.scale = scale;
    if (g_param.checkoutResult != PF_Err_NONE)
        return g_param.checkoutResult;
    *param = g_param.def;
    return PF_Err_NONE;
}

PF_Err fakeCheckin(PF_ProgPtr, PF_ParamDef *) {
    ++g_param.checkins;
    return g_param.checkinResult;
}

class FetchGradient : public ::testing::Test {
protected:
    void SetUp() override {
        g_param = FakeParam{};
        in_ = host_.inData();
        in_.current_time = 17;
        in_.time_step = 2;
        in_.time_scale = 600;
        in_.inter.checkout_param = fakeCheckout;
        in_.inter.checkin_param = fakeCheckin;
    }
    void TearDown() override {
        for (PF_Handle h : made_)
            host_.handles().dispose(h);
        EXPECT_EQ(host_.handles().misuseCount(), 0u);
    }

    // A gradient value in a host handle of `size` bytes, flags at 0.9, 0.1 and 0.5 unsorted.
    PF_Handle value(std::size_t size = sizeof(GradientData)) {
        GradientData d;
        initEmptyGradient(d);
        appendColorFlag(d.current, ColorFlag{255, 90, 0, 0, 0.9f, -1, 0});
        appendColorFlag(d.current, ColorFlag{255, 10, 0, 0, 0.1f, -1, 0});
        appendColorFlag(d.current, ColorFlag{255, 50, 0, 0, 0.5f, -1, 0});
        PF_Handle h = host_.handles().newHandle(size);
        std::memcpy(host_.handles().lock(h), &d, size);
        host_.handles().unlock(h);
        made_.push_back(h);
        return h;
    }

    void arbitrary(PF_Handle h, std::uintptr_t refcon = kGradientRefcon, PF_ParamType type = PF_Param_ARBITRARY_DATA) {
        g_param.def.param_type = type;
        g_param.def.u.arb_d.value = h;
        g_param.def.u.arb_d.refconPV = reinterpret_cast<void *>(refcon);
    }

    static ColorFlagList untouched() {
        ColorFlagList l;
        std::memset(&l, 0x5A, sizeof l);
        return l;
    }

    embedhost::Host host_;
    PF_InData in_{};
    std::vector<PF_Handle> made_;
};

TEST_F(FetchGradient, CopiesTheCurrentListSortedAtTheCurrentTime) {
    arbitrary(value());
    ColorFlagList out = untouched();
    ASSERT_EQ(fetchGradient(&in_, 6, out), PF_Err_NONE);
    EXPECT_EQ(g_param.index, 6);
    EXPECT_EQ(g_param.time, 17);
    EXPECT_EQ(g_param.step, 2);
    EXPECT_EQ(g_param.scale, 600u);
    EXPECT_EQ(g_param.checkins, 1);
    EXPECT_EQ(out.count, 3);
    EXPECT_EQ(out.flags, kColorFlagListSorted);
    EXPECT_EQ(out.flag[0].red, 10);
    EXPECT_EQ(out.flag[0].id, 1);
    EXPECT_EQ(out.flag[1].red, 50);
    EXPECT_EQ(out.flag[1].id, 2);
    EXPECT_EQ(out.flag[2].red, 90);
    EXPECT_EQ(out.flag[2].id, 0);
    EXPECT_EQ(out.flag[3].id, -1);
    EXPECT_EQ(host_.handles().lockCount(made_[0]), 0);
}

TEST_F(FetchGradient, AnotherRefconOrTypeIsNotTouched) {
    PF_Handle h = value();
    for (auto [refcon, type] : {std::pair<std::uintptr_t, PF_ParamType>{0xeeee0003u, PF_Param_ARBITRARY_DATA},
                                std::pair<std::uintptr_t, PF_ParamType>{kGradientRefcon, PF_Param_COLOR}}) {
        arbitrary(h, refcon, type);
        host_.handles().failNextLock(); // any lock attempt would be refused and leave a trace
        ColorFlagList out = untouched();
        EXPECT_EQ(fetchGradient(&in_, 6, out), PF_Err_BAD_CALLBACK_PARAM);
        EXPECT_EQ(out.count, 0x5A5A5A5A);
        host_.handles().clearFailures();
    }
    EXPECT_EQ(g_param.checkins, 2);
}

TEST_F(FetchGradient, AHandleThatCannotBeLockedIsStillCheckedIn) {
    arbitrary(value());
    host_.handles().failNextLock();
    ColorFlagList out = untouched();
    EXPECT_EQ(fetchGradient(&in_, 6, out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(g_param.checkins, 1);
    EXPECT_EQ(out.count, 0x5A5A5A5A);
}

TEST_F(FetchGradient, AShortHandleIsReadAsFarAsItGoes) {
    // 296 bytes: header, name, list header and the first flag only.
    arbitrary(value(296));
    ColorFlagList out = untouched();
    ASSERT_EQ(fetchGradient(&in_, 6, out), PF_Err_NONE);
    EXPECT_EQ(out.count, 3) << "the count was within the handle";
    EXPECT_EQ(out.flag[0].red, 0) << "the missing flags read as fresh slots at position 0";
    EXPECT_EQ(out.flag[0].id, -1);
    EXPECT_EQ(out.flag[1].id, -1);
    EXPECT_EQ(out.flag[2].red, 90);
    EXPECT_EQ(out.flag[2].id, 0);
}

TEST_F(FetchGradient, CheckOutFailureIsReturnedWithNothingToCheckIn) {
    g_param.checkoutResult = PF_Err_INVALID_INDEX;
    ColorFlagList out = untouched();
    EXPECT_EQ(fetchGradient(&in_, 99, out), PF_Err_INVALID_INDEX);
    EXPECT_EQ(g_param.checkins, 0);
    EXPECT_EQ(out.count, 0x5A5A5A5A);
}

TEST_F(FetchGradient, CheckInFailureIsReturnedAfterASuccessfulCopy) {
    arbitrary(value());
    g_param.checkinResult = PF_Err_INVALID_CALLBACK;
    ColorFlagList out = untouched();
    EXPECT_EQ(fetchGradient(&in_, 6, out), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(out.count, 0x5A5A5A5A);
    // The copy's own error comes first.
    arbitrary(made_[0], 0);
    EXPECT_EQ(fetchGradient(&in_, 6, out), PF_Err_BAD_CALLBACK_PARAM);
}

} // namespace
