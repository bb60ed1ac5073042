// Arbitrary-data values held as the host holds them: every handle made through the plug-in's
// callbacks and given back through PF_Arbitrary_DISPOSE_FUNC, none left behind.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::Plugin;

namespace {

std::vector<std::uint8_t> flatOf(double x, A_long magic = fake::kArbMagic) {
    fake::ArbRecord r{magic, 0, x};
    const auto *b = reinterpret_cast<const std::uint8_t *>(&r);
    return {b, b + sizeof r};
}

// Handles the fake made minus the ones it was told to dispose.
long madeMinusDisposed() {
    const auto &c = fake::effect().arbCalls;
    return c[PF_Arbitrary_NEW_FUNC] + c[PF_Arbitrary_COPY_FUNC] + c[PF_Arbitrary_UNFLATTEN_FUNC] +
           c[PF_Arbitrary_INTERP_FUNC] + c[PF_Arbitrary_SCAN_FUNC] - c[PF_Arbitrary_DISPOSE_FUNC];
}

class Arbitrary : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        fake::effect().defs = {fake::floatSlider("Amount", 1, 0, 1, 0, 1, 0), fake::arbitrary("Bar", 2)};
    }
    std::unique_ptr<Host> start() {
        auto host = std::make_unique<Host>(Plugin::linked(fake::entry));
        EXPECT_EQ(host->setUp().err, PF_Err_NONE);
        return host;
    }
    static std::string print(Host &host) {
        std::string text;
        EXPECT_EQ(host.params().printArbitrary(2, &text), PF_Err_NONE);
        return text;
    }
};

TEST_F(Arbitrary, TheRegisteredDefaultIsTakenOverAndTheValueIsACopy) {
    auto host = start();
    auto &arb = host->params().arbitrary();
    EXPECT_EQ(arb.held(), 2u); // the default and the value
    EXPECT_EQ(arb.calls(PF_Arbitrary_COPY_FUNC), 1);
    EXPECT_EQ(arb.calls(PF_Arbitrary_NEW_FUNC), 0);
    EXPECT_EQ(print(*host), "x=500/1000");
    host->tearDown();
    EXPECT_EQ(arb.held(), 0u);
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, WithoutADefaultTheHostAsksForANewOne) {
    fake::effect().arbNullDefault = true;
    fake::effect().arbDefault = 0.25;
    auto host = start();
    EXPECT_EQ(host->params().arbitrary().calls(PF_Arbitrary_NEW_FUNC), 1);
    EXPECT_EQ(print(*host), "x=250/1000");
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, ScanReplacesTheValueAndGivesTheOldOneBack) {
    auto host = start();
    const long disposals = host->params().arbitrary().calls(PF_Arbitrary_DISPOSE_FUNC);
    ASSERT_EQ(host->params().scanArbitrary(2, "x=125"), PF_Err_NONE);
    EXPECT_EQ(print(*host), "x=125/1000");
    EXPECT_EQ(host->params().arbitrary().calls(PF_Arbitrary_DISPOSE_FUNC), disposals + 1);
    // The plug-in is handed the text's length, without its terminating NUL.
    ASSERT_EQ(fake::effect().scanned.size(), 1u);
    EXPECT_EQ(fake::effect().scanned[0], "x=125");
    EXPECT_EQ(host->params().arbitrary().held(), 2u);
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, AFailedScanKeepsTheValueAndAHandleReturnedWithTheErrorGoesBack) {
    auto host = start();
    EXPECT_EQ(host->params().scanArbitrary(2, "nonsense"), PF_Err_CANNOT_PARSE_KEYFRAME_TEXT);
    fake::effect().arbFailSelector = PF_Arbitrary_SCAN_FUNC;
    fake::effect().arbHandleOnFailure = true;
    const std::size_t live = host->handles().live();
    EXPECT_EQ(host->params().scanArbitrary(2, "x=1"), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host->params().arbitrary().handlesReturnedWithErrors(), 1);
    EXPECT_EQ(host->handles().live(), live);
    EXPECT_EQ(print(*host), "x=500/1000");
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, FlattenAndUnflattenGoThroughThePlugin) {
    auto host = start();
    std::vector<std::uint8_t> flat;
    ASSERT_EQ(host->params().flattenArbitrary(2, &flat), PF_Err_NONE);
    EXPECT_EQ(flat, flatOf(0.5));
    ASSERT_EQ(host->params().unflattenArbitrary(2, flatOf(0.75)), PF_Err_NONE);
    EXPECT_EQ(print(*host), "x=750/1000");
    EXPECT_EQ(host->params().unflattenArbitrary(2, flatOf(0.1, 0x0bad)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host->params().unflattenArbitrary(2, std::vector<std::uint8_t>(3, 0)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(print(*host), "x=750/1000");
    ASSERT_EQ(host->params().resetArbitrary(2), PF_Err_NONE);
    EXPECT_EQ(print(*host), "x=500/1000");
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, KeyframesCompareAndPrintInterpolatedValues) {
    auto host = start();
    auto &p = host->params();
    ASSERT_EQ(p.setArbitraryKeyframe(2, A_Time{0, 30}, flatOf(0.2)), PF_Err_NONE);
    ASSERT_EQ(p.setArbitraryKeyframe(2, A_Time{30, 30}, flatOf(0.6)), PF_Err_NONE);
    PF_ArbCompareResult result = -1;
    ASSERT_EQ(p.compareArbitrary(2, A_Time{0, 30}, A_Time{30, 30}, &result), PF_Err_NONE);
    EXPECT_EQ(result, PF_ArbCompare_LESS);
    ASSERT_EQ(p.compareArbitrary(2, A_Time{60, 30}, A_Time{30, 30}, &result), PF_Err_NONE);
    EXPECT_EQ(result, PF_ArbCompare_EQUAL); // after the last keyframe the value holds
    std::vector<std::uint8_t> flat;
    ASSERT_EQ(p.flattenArbitraryAt(2, A_Time{15, 30}, &flat), PF_Err_NONE);
    fake::ArbRecord mid{};
    std::memcpy(&mid, flat.data(), sizeof mid);
    EXPECT_DOUBLE_EQ(mid.x, 0.4);
    // Setting a constant value drops both keyframe values.
    ASSERT_EQ(p.scanArbitrary(2, "x=900"), PF_Err_NONE);
    EXPECT_EQ(p.keyframeCount(2), 0u);
    EXPECT_EQ(p.arbitrary().held(), 2u);
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, AParameterThatCannotVaryRefusesKeyframesWithoutLeaking) {
    fake::effect().defs[1].flags = PF_ParamFlag_CANNOT_TIME_VARY;
    auto host = start();
    EXPECT_THROW(host->params().setArbitraryKeyframe(2, A_Time{0, 30}, flatOf(0.3)), std::logic_error);
    EXPECT_EQ(host->params().arbitrary().held(), 2u);
    EXPECT_THROW(host->params().setValue(2, embedhost::ParamValue::floatSlider(1)), std::invalid_argument);
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

TEST_F(Arbitrary, NoHandleIsLeftAfterABusyLife) {
    {
        auto host = start();
        auto &p = host->params();
        ASSERT_EQ(p.setArbitraryKeyframe(2, A_Time{0, 30}, flatOf(0.0)), PF_Err_NONE);
        ASSERT_EQ(p.setArbitraryKeyframe(2, A_Time{30, 30}, flatOf(1.0)), PF_Err_NONE);
        for (int i = 0; i < 3; ++i) {
            fake::during(*host, PF_Cmd_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
                PF_ParamDef def;
                in->inter.checkout_param(in->effect_ref, 2, 10 * i, 1, 30, &def);
                in->inter.checkin_param(in->effect_ref, &def);
            });
            std::string text;
            p.printArbitrary(2, &text);
        }
        fake::during(*host, PF_Cmd_EVENT, [&](PF_InData *in, PF_OutData *, PF_ParamDef *params[], void *) {
            // The plug-in hands over a handle of its own in place of the host's copy.
            fake::ArbRecord r{fake::kArbMagic, 0, 0.33};
            PF_Handle mine = in->utils->host_new_handle(sizeof r);
            std::memcpy(in->utils->host_lock_handle(mine), &r, sizeof r);
            in->utils->host_unlock_handle(mine);
            params[2]->u.arb_d.value = mine;
            params[2]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
        });
        // +2: the default made at set-up and the handed-over value, both the plug-in's own making.
        EXPECT_EQ(madeMinusDisposed() + 2, static_cast<long>(p.arbitrary().held()));
        host->tearDown();
        EXPECT_EQ(p.arbitrary().held(), 0u);
        EXPECT_EQ(host->handles().live(), 0u);
    }
    EXPECT_EQ(madeMinusDisposed() + 2, 0); // the default and the handed-over value were the plug-in's own
}

TEST_F(Arbitrary, AHostDestroyedWithoutTearDownStillGivesEveryValueBack) {
    {
        auto host = start();
        ASSERT_EQ(host->params().scanArbitrary(2, "x=10"), PF_Err_NONE);
    }
    EXPECT_EQ(madeMinusDisposed() + 1, 0); // +1: the default the plug-in made itself
}

} // namespace
