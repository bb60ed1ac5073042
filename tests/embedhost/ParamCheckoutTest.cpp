// checkout_param / checkin_param at a time, and the parameter arrays commands receive.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>

#include "FakeEffect.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::ParamValue;
using embedhost::Plugin;

namespace {

// Index 1 float 0..100, 2 popup A|B|C, 3 colour, 4 layer, 5 arbitrary, 6 float that holds.
class Checkout : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        PF_ParamDef held = fake::floatSlider("Held", 6, 0, 100, 0, 100, 0);
        held.flags = PF_ParamFlag_CANNOT_INTERP;
        fake::effect().defs = {fake::floatSlider("Amount", 1, 0, 100, 0, 100, 0),
                               fake::popup("Mode", 2, "A|B|C", 3, 1),
                               fake::color("Tint", 3, PF_Pixel{255, 0, 0, 0}),
                               fake::layer("Other", 4),
                               fake::arbitrary("Bar", 5),
                               held};
        host_ = std::make_unique<Host>(Plugin::linked(fake::entry));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
    }
    void TearDown() override {
        if (host_) {
            host_->tearDown();
            EXPECT_EQ(host_->handles().live(), 0u);
        }
    }
    // Checks parameter `index` out at time/scale during a render and gives it back to `look`.
    void lookAt(PF_ParamIndex index, A_long time, A_u_long scale,
                const std::function<void(const PF_ParamDef &)> &look) {
        PF_Err out = -1, in = -1;
        fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *data, PF_OutData *, PF_ParamDef *[], void *) {
            PF_ParamDef def;
            out = data->inter.checkout_param(data->effect_ref, index, time, 1, scale, &def);
            look(def);
            in = data->inter.checkin_param(data->effect_ref, &def);
        });
        EXPECT_EQ(out, PF_Err_NONE);
        EXPECT_EQ(in, PF_Err_NONE);
    }
    std::unique_ptr<Host> host_;
};

TEST_F(Checkout, ValuesAtATimeFollowTheKeyframes) {
    auto &p = host_->params();
    p.setKeyframe(1, A_Time{0, 30}, ParamValue::floatSlider(0));
    p.setKeyframe(1, A_Time{1, 1}, ParamValue::floatSlider(10)); // one second in another scale
    p.setKeyframe(2, A_Time{0, 30}, ParamValue::popup(1));
    p.setKeyframe(2, A_Time{30, 30}, ParamValue::popup(3));
    p.setKeyframe(3, A_Time{0, 30}, ParamValue::colorChoice(PF_Pixel{255, 0, 100, 255}));
    p.setKeyframe(3, A_Time{30, 30}, ParamValue::colorChoice(PF_Pixel{255, 255, 201, 0}));
    p.setKeyframe(6, A_Time{0, 30}, ParamValue::floatSlider(0));
    p.setKeyframe(6, A_Time{30, 30}, ParamValue::floatSlider(10));
    lookAt(1, 15, 30, [](const PF_ParamDef &d) { EXPECT_DOUBLE_EQ(d.u.fs_d.value, 5.0); });
    lookAt(1, 1, 4, [](const PF_ParamDef &d) { EXPECT_DOUBLE_EQ(d.u.fs_d.value, 2.5); });
    lookAt(1, -3, 30, [](const PF_ParamDef &d) { EXPECT_DOUBLE_EQ(d.u.fs_d.value, 0.0); });
    lookAt(1, 90, 30, [](const PF_ParamDef &d) { EXPECT_DOUBLE_EQ(d.u.fs_d.value, 10.0); });
    lookAt(2, 29, 30, [](const PF_ParamDef &d) { EXPECT_EQ(d.u.pd.value, 1); });
    lookAt(2, 30, 30, [](const PF_ParamDef &d) { EXPECT_EQ(d.u.pd.value, 3); });
    lookAt(3, 15, 30, [](const PF_ParamDef &d) {
        EXPECT_EQ(d.u.cd.value.red, 128);   // 127.5 rounds up
        EXPECT_EQ(d.u.cd.value.green, 151); // 150.5
        EXPECT_EQ(d.u.cd.value.blue, 128);
    });
    lookAt(6, 29, 30, [](const PF_ParamDef &d) { EXPECT_DOUBLE_EQ(d.u.fs_d.value, 0.0); });
    EXPECT_EQ(host_->params().outstandingCheckouts(), 0u);
    EXPECT_EQ(host_->params().checkouts(), 8);
}

TEST_F(Checkout, DefinitionsCarryTheHostsTextAndTheCurrentLook) {
    lookAt(2, 0, 30, [&](const PF_ParamDef &d) {
        EXPECT_EQ(d.param_type, PF_Param_POPUP);
        EXPECT_STREQ(d.name, "Mode");
        EXPECT_STREQ(d.u.pd.u.namesptr, "A|B|C");
        EXPECT_EQ(d.u.pd.num_choices, 3);
        EXPECT_EQ(d.uu.change_flags, 0);
    });
}

TEST_F(Checkout, LayersArriveEmpty) {
    for (PF_ParamIndex index : {0, 4})
        lookAt(index, 0, 30, [](const PF_ParamDef &d) {
            EXPECT_EQ(d.param_type, PF_Param_LAYER);
            EXPECT_EQ(d.u.ld.data, nullptr);
            EXPECT_EQ(d.u.ld.width, 0);
        });
}

TEST_F(Checkout, ABadIndexOrScaleFailsAndZeroesTheDefinition) {
    PF_Err errs[3] = {};
    bool zeroed[3] = {};
    fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
        const PF_ParamIndex index[3] = {7, -1, 1};
        const A_u_long scale[3] = {30, 30, 0};
        for (int i = 0; i < 3; ++i) {
            PF_ParamDef def, zero;
            std::memset(&def, 0xab, sizeof def);
            std::memset(&zero, 0, sizeof zero);
            errs[i] = in->inter.checkout_param(in->effect_ref, index[i], 0, 1, scale[i], &def);
            zeroed[i] = std::memcmp(&def, &zero, sizeof def) == 0;
        }
    });
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(errs[i], PF_Err_BAD_CALLBACK_PARAM);
        EXPECT_TRUE(zeroed[i]);
    }
    EXPECT_EQ(host_->params().outstandingCheckouts(), 0u);
}

TEST_F(Checkout, UnbalancedCheckoutsAndStrayCheckinsAreRecorded) {
    PF_ParamDef a, b, stray;
    PF_Err strayErr = PF_Err_NONE, againErr = PF_Err_NONE;
    fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
        in->inter.checkout_param(in->effect_ref, 1, 0, 1, 30, &a);
        in->inter.checkout_param(in->effect_ref, 5, 0, 1, 30, &b);
        std::memset(&stray, 0, sizeof stray);
        strayErr = in->inter.checkin_param(in->effect_ref, &stray);
        in->inter.checkin_param(in->effect_ref, &a);
        againErr = in->inter.checkin_param(in->effect_ref, &a);
    });
    EXPECT_EQ(strayErr, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(againErr, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host_->params().badCheckins(), 2);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 1u); // b, an arbitrary copy still held
    // Teardown gives the forgotten copy back to the plug-in all the same (TearDown checks).
}

TEST_F(Checkout, ArbitraryValuesAreCopiesMadeAndDisposedThroughThePlugin) {
    auto &arb = host_->params().arbitrary();
    const long copies = arb.calls(PF_Arbitrary_COPY_FUNC);
    const long disposals = arb.calls(PF_Arbitrary_DISPOSE_FUNC);
    const std::size_t held = arb.held();
    PF_Handle seen = nullptr;
    fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *params[], void *) {
        PF_ParamDef def;
        in->inter.checkout_param(in->effect_ref, 5, 0, 1, 30, &def);
        seen = def.u.arb_d.value;
        EXPECT_NE(seen, params[5]->u.arb_d.value); // the array has its own copy
        EXPECT_DOUBLE_EQ(fake::arbValue(seen), 0.5);
        EXPECT_EQ(def.u.arb_d.refconPV, fake::kArbRefcon);
        EXPECT_EQ(def.u.arb_d.id, 7);
        EXPECT_TRUE(host_->params().arbitrary().holds(seen));
        in->inter.checkin_param(in->effect_ref, &def);
    });
    EXPECT_EQ(arb.calls(PF_Arbitrary_COPY_FUNC), copies + 2); // the checkout and the array
    EXPECT_EQ(arb.calls(PF_Arbitrary_DISPOSE_FUNC), disposals + 2);
    EXPECT_FALSE(arb.holds(seen));
    EXPECT_EQ(arb.held(), held);
}

TEST_F(Checkout, ArbitraryValuesBetweenKeyframesAreInterpolatedByThePlugin) {
    auto &p = host_->params();
    fake::ArbRecord zero{fake::kArbMagic, 0, 0.0}, one{fake::kArbMagic, 0, 1.0};
    auto bytes = [](const fake::ArbRecord &r) {
        const auto *b = reinterpret_cast<const std::uint8_t *>(&r);
        return std::vector<std::uint8_t>(b, b + sizeof r);
    };
    ASSERT_EQ(p.setArbitraryKeyframe(5, A_Time{0, 30}, bytes(zero)), PF_Err_NONE);
    ASSERT_EQ(p.setArbitraryKeyframe(5, A_Time{40, 30}, bytes(one)), PF_Err_NONE);
    const long interps = p.arbitrary().calls(PF_Arbitrary_INTERP_FUNC);
    double between = -1, onKey = -1;
    fake::during(*host_, PF_Cmd_SMART_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
        PF_ParamDef def;
        in->inter.checkout_param(in->effect_ref, 5, 10, 1, 30, &def);
        between = fake::arbValue(def.u.arb_d.value);
        in->inter.checkin_param(in->effect_ref, &def);
        in->inter.checkout_param(in->effect_ref, 5, 40, 1, 30, &def);
        onKey = fake::arbValue(def.u.arb_d.value);
        in->inter.checkin_param(in->effect_ref, &def);
    });
    EXPECT_DOUBLE_EQ(between, 0.25);
    EXPECT_DOUBLE_EQ(onKey, 1.0);
    EXPECT_EQ(p.arbitrary().calls(PF_Arbitrary_INTERP_FUNC), interps + 1);
}

TEST_F(Checkout, CheckoutsWhileUpdatingTheUiAreCountedButServed) {
    PF_Err err = -1;
    fake::during(*host_, PF_Cmd_UPDATE_PARAMS_UI, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
        PF_ParamDef def;
        err = in->inter.checkout_param(in->effect_ref, 1, 0, 1, 30, &def);
        in->inter.checkin_param(in->effect_ref, &def);
    });
    EXPECT_EQ(err, PF_Err_NONE);
    EXPECT_EQ(host_->params().checkoutsDuringUpdateParamsUI(), 1);
}

TEST_F(Checkout, RenderThreadsCheckOutAtTheSameTime) {
    host_->params().setValue(1, ParamValue::floatSlider(42));
    std::atomic<int> wrong{0};
    fake::effect().hook = [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *[], void *, PF_Err *r) {
        if (cmd != PF_Cmd_SMART_RENDER)
            return false;
        for (PF_ParamIndex index : {1, 5}) {
            PF_ParamDef def;
            if (in->inter.checkout_param(in->effect_ref, index, 0, 1, 30, &def) != PF_Err_NONE)
                ++wrong;
            if (index == 1 && def.u.fs_d.value != 42)
                ++wrong;
            if (index == 5 && fake::arbValue(def.u.arb_d.value) != 0.5)
                ++wrong;
            if (in->inter.checkin_param(in->effect_ref, &def) != PF_Err_NONE)
                ++wrong;
        }
        *r = PF_Err_NONE;
        return true;
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([this] {
            for (int i = 0; i < 25; ++i)
                host_->command(PF_Cmd_SMART_RENDER);
        });
    for (auto &t : threads)
        t.join();
    fake::effect().hook = nullptr;
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(host_->params().checkouts(), 200);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 0u);
}

TEST_F(Checkout, TheArrayHoldsCurrentValuesForTheCommandsThatTakeIt) {
    host_->params().setValue(1, ParamValue::floatSlider(12.5));
    host_->params().setValue(2, ParamValue::popup(2));
    double amount = -1;
    A_long mode = -1;
    fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *, PF_OutData *, PF_ParamDef *params[], void *) {
        amount = params[1]->u.fs_d.value;
        mode = params[2]->u.pd.value;
    });
    EXPECT_DOUBLE_EQ(amount, 12.5);
    EXPECT_EQ(mode, 2);
    fake::effect().arrayGiven.clear();
    fake::effect().commands.clear();
    for (PF_Cmd cmd : {PF_Cmd_SMART_PRE_RENDER, PF_Cmd_SMART_RENDER, PF_Cmd_QUERY_DYNAMIC_FLAGS, PF_Cmd_ABOUT,
                       PF_Cmd_DO_DIALOG, PF_Cmd_UPDATE_PARAMS_UI, PF_Cmd_EVENT, PF_Cmd_USER_CHANGED_PARAM})
        host_->command(cmd);
    std::vector<bool> given; // the arbitrary value's copies come and go in between
    for (std::size_t i = 0; i < fake::effect().commands.size(); ++i)
        if (fake::effect().commands[i] != PF_Cmd_ARBITRARY_CALLBACK)
            given.push_back(fake::effect().arrayGiven[i]);
    EXPECT_EQ(given, (std::vector<bool>{false, false, false, false, true, true, true, true}));
}

TEST_F(Checkout, ChangedValuesAreTakenOnlyWhenTheHostHonoursThem) {
    auto change = [&](PF_Cmd cmd, bool flag) {
        fake::during(*host_, cmd, [&](PF_InData *, PF_OutData *, PF_ParamDef *params[], void *) {
            params[1]->u.fs_d.value += 10;
            params[2]->u.pd.value = 3;
            if (flag) {
                params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
                params[2]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
            }
        });
    };
    auto &p = host_->params();
    change(PF_Cmd_RENDER, true);
    change(PF_Cmd_DO_DIALOG, true);
    change(PF_Cmd_UPDATE_PARAMS_UI, true);
    change(PF_Cmd_USER_CHANGED_PARAM, false);
    EXPECT_EQ(p.value(1).number, 0);
    EXPECT_EQ(p.value(2).number, 1);
    change(PF_Cmd_USER_CHANGED_PARAM, true);
    EXPECT_EQ(p.value(1).number, 10);
    EXPECT_EQ(p.value(2).number, 3);
    change(PF_Cmd_EVENT, true);
    EXPECT_EQ(p.value(1).number, 20);
}

TEST_F(Checkout, AChangedKeyframedValueBecomesAKeyframeAtTheCurrentTime) {
    HostProfile profile;
    auto &p = host_->params();
    p.setKeyframe(1, A_Time{0, 30}, ParamValue::floatSlider(0));
    p.setKeyframe(1, A_Time{60, 30}, ParamValue::floatSlider(60));
    fake::during(*host_, PF_Cmd_USER_CHANGED_PARAM, [&](PF_InData *, PF_OutData *, PF_ParamDef *params[], void *) {
        params[1]->u.fs_d.value = 50;
        params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
    });
    // The default profile's current time is 0: the first keyframe takes the value.
    EXPECT_EQ(profile.currentTime, 0);
    EXPECT_EQ(p.keyframeCount(1), 2u);
    EXPECT_EQ(p.value(1, A_Time{0, 30}).number, 50);
    EXPECT_EQ(p.value(1, A_Time{30, 30}).number, 55);
}

TEST_F(Checkout, AnArbitraryValueEditedInPlaceIsTakenWithItsFlag) {
    fake::during(*host_, PF_Cmd_EVENT, [&](PF_InData *in, PF_OutData *, PF_ParamDef *params[], void *) {
        auto *r = static_cast<fake::ArbRecord *>(in->utils->host_lock_handle(params[5]->u.arb_d.value));
        r->x = 0.875;
        in->utils->host_unlock_handle(params[5]->u.arb_d.value);
        params[5]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
    });
    std::string text;
    ASSERT_EQ(host_->params().printArbitrary(5, &text), PF_Err_NONE);
    EXPECT_EQ(text, "x=875/1000");
    // Edited in place without the flag (or at a time changes are not honoured): not taken.
    fake::during(*host_, PF_Cmd_RENDER, [&](PF_InData *in, PF_OutData *, PF_ParamDef *params[], void *) {
        auto *r = static_cast<fake::ArbRecord *>(in->utils->host_lock_handle(params[5]->u.arb_d.value));
        r->x = 0.125;
        in->utils->host_unlock_handle(params[5]->u.arb_d.value);
        params[5]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
    });
    ASSERT_EQ(host_->params().printArbitrary(5, &text), PF_Err_NONE);
    EXPECT_EQ(text, "x=875/1000");
}

} // namespace
