// "PF Param Utils Suite" versions 2 and 3: UI updates that change only the look, change states
// and the keyframe queries.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::ParamValue;
using embedhost::Plugin;
namespace pu = embedhost::paramutils;

namespace {

// Index 1 float, 2 popup, 3 float excluded from change checks.
class ParamUtils : public ::testing::Test {
protected:
    void SetUp() override {
        fake::reset();
        PF_ParamDef excluded = fake::floatSlider("Quiet", 3, 0, 10, 0, 10, 0);
        excluded.flags = PF_ParamFlag_EXCLUDE_FROM_HAVE_INPUTS_CHANGED;
        fake::effect().defs = {fake::floatSlider("Amount", 1, 0, 100, 0, 50, 20), fake::popup("Mode", 2, "A|B", 2, 1),
                               excluded};
        host_ = std::make_unique<Host>(Plugin::linked(fake::entry));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
    }
    void TearDown() override {
        host_->tearDown();
        EXPECT_EQ(host_->handles().live(), 0u);
    }
    template <typename Suite>
    const Suite *suite(int version) {
        const void *table = nullptr;
        EXPECT_EQ(host_->suites().acquire(kPFParamUtilsSuite, version, &table), kSPNoError);
        host_->suites().release(kPFParamUtilsSuite, version);
        return static_cast<const Suite *>(table);
    }
    // PF_UpdateParamUI with a copy of the array's definition that `edit` changes.
    PF_Err update(PF_Cmd cmd, PF_ParamIndex index, const std::function<void(PF_ParamDef &)> &edit, int version = 3) {
        PF_Err err = -1;
        fake::during(*host_, cmd, [&](PF_InData *in, PF_OutData *, PF_ParamDef *params[], void *) {
            const void *table = nullptr;
            ASSERT_EQ(in->pica_basicP->AcquireSuite(kPFParamUtilsSuite, version, &table), kSPNoError);
            const PF_ParamIndex from = index >= 1 && index < host_->params().count() ? index : 1;
            PF_ParamDef copy = params ? *params[from] : host_->params().current(from);
            edit(copy);
            err = version == 3
                      ? static_cast<const PF_ParamUtilsSuite3 *>(table)->PF_UpdateParamUI(in->effect_ref, index, &copy)
                      : static_cast<const PF_ParamUtilsSuite1 *>(table)->PF_UpdateParamUI(in->effect_ref, index, &copy);
            in->pica_basicP->ReleaseSuite(kPFParamUtilsSuite, version);
        });
        return err;
    }
    std::unique_ptr<Host> host_;
};

TEST_F(ParamUtils, UpdateParamUiGreysOutAndChangesNothingButTheLook) {
    auto &p = host_->params();
    ASSERT_EQ(update(PF_Cmd_UPDATE_PARAMS_UI, 1,
                     [](PF_ParamDef &d) {
                         d.ui_flags |= PF_PUI_DISABLED | PF_PUI_INVISIBLE;
                         d.flags |= PF_ParamFlag_CANNOT_TIME_VARY | PF_ParamFlag_COLLAPSE_TWIRLY;
                         d.u.fs_d.value = 77;
                         d.u.fs_d.valid_max = 5;
                         d.u.fs_d.slider_max = 80;
                         std::strcpy(d.name, "Renamed");
                     }),
              PF_Err_NONE);
    EXPECT_TRUE(p.disabled(1));
    EXPECT_FALSE(p.uiFlags(1) & PF_PUI_INVISIBLE); // After Effects takes only DISABLED and the separator
    EXPECT_EQ(p.current(1).flags, PF_ParamFlag_COLLAPSE_TWIRLY);
    EXPECT_STREQ(p.current(1).name, "Renamed");
    EXPECT_STREQ(p.definition(1).name, "Amount");
    EXPECT_FLOAT_EQ(p.current(1).u.fs_d.slider_max, 80);
    EXPECT_FLOAT_EQ(p.current(1).u.fs_d.valid_max, 100);
    EXPECT_DOUBLE_EQ(p.value(1).number, 20);
    EXPECT_FALSE(p.disabled(2));
    EXPECT_EQ(p.uiUpdates(), 1);
    // The next command sees the parameter greyed out; enabling it again is the same call.
    PF_ParamUIFlags seen = 0;
    fake::during(*host_, PF_Cmd_RENDER,
                 [&](PF_InData *, PF_OutData *, PF_ParamDef *params[], void *) { seen = params[1]->ui_flags; });
    EXPECT_TRUE(seen & PF_PUI_DISABLED);
    ASSERT_EQ(update(PF_Cmd_UPDATE_PARAMS_UI, 1, [](PF_ParamDef &d) { d.ui_flags &= ~PF_PUI_DISABLED; }), PF_Err_NONE);
    EXPECT_FALSE(p.disabled(1));
}

TEST_F(ParamUtils, VersionTwoUpdatesTheSameWay) {
    ASSERT_EQ(update(
                  PF_Cmd_USER_CHANGED_PARAM, 2, [](PF_ParamDef &d) { d.ui_flags |= PF_PUI_DISABLED; }, 2),
              PF_Err_NONE);
    EXPECT_TRUE(host_->params().disabled(2));
}

TEST_F(ParamUtils, UpdatesAtOtherTimesOrOfOtherParametersAreRefused) {
    auto grey = [](PF_ParamDef &d) { d.ui_flags |= PF_PUI_DISABLED; };
    EXPECT_EQ(update(PF_Cmd_RENDER, 1, grey), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(update(PF_Cmd_SMART_PRE_RENDER, 1, grey), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(update(PF_Cmd_UPDATE_PARAMS_UI, 0, grey), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(update(PF_Cmd_UPDATE_PARAMS_UI, 9, grey), PF_Err_BAD_CALLBACK_PARAM);
    // A popup's definition handed in for the float slider.
    EXPECT_EQ(update(PF_Cmd_UPDATE_PARAMS_UI, 1, [](PF_ParamDef &d) { d.param_type = PF_Param_POPUP; }),
              PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_FALSE(host_->params().disabled(1));
    EXPECT_EQ(host_->params().refusedUiUpdates(), 5);
    EXPECT_EQ(host_->params().uiUpdates(), 0);
}

TEST_F(ParamUtils, KeyframeQueries) {
    const auto *s = suite<PF_ParamUtilsSuite3>(3);
    const PF_ProgPtr ref = host_->effectRef();
    PF_KeyIndex count = 0;
    ASSERT_EQ(s->PF_GetKeyframeCount(ref, 1, &count), PF_Err_NONE);
    EXPECT_EQ(count, PF_KeyIndex_NONE); // constant
    auto &p = host_->params();
    for (A_long t : {20, 0, 10})
        p.setKeyframe(1, A_Time{t, 10}, ParamValue::floatSlider(t));
    ASSERT_EQ(s->PF_GetKeyframeCount(ref, 1, &count), PF_Err_NONE);
    EXPECT_EQ(count, 3);

    auto find = embedhost::slotAs<pu::FindKeyframeTimeFn>(s->PF_FindKeyframeTime);
    PF_Boolean found = 0;
    PF_KeyIndex key = -5;
    A_long time = -1;
    A_u_long scale = 0;
    ASSERT_EQ(find(ref, 1, 1, 1, PF_TimeDir_GREATER_THAN, &found, &key, &time, &scale), PF_Err_NONE);
    EXPECT_TRUE(found);
    EXPECT_EQ(key, 2);
    EXPECT_EQ(time, 20);
    EXPECT_EQ(scale, 10u);
    ASSERT_EQ(find(ref, 1, 1, 1, PF_TimeDir_GREATER_THAN_OR_EQUAL, &found, &key, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(key, 1); // 1 s is 10/10
    ASSERT_EQ(find(ref, 1, 5, 10, PF_TimeDir_GREATER_THAN_OR_EQUAL, &found, &key, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(key, 1);
    ASSERT_EQ(find(ref, 1, 15, 10, PF_TimeDir_LESS_THAN_OR_EQUAL, &found, &key, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(key, 1);
    ASSERT_EQ(find(ref, 1, 10, 10, PF_TimeDir_LESS_THAN, &found, &key, nullptr, nullptr), PF_Err_NONE);
    EXPECT_EQ(key, 0);
    ASSERT_EQ(find(ref, 1, 0, 10, PF_TimeDir_LESS_THAN, &found, &key, nullptr, nullptr), PF_Err_NONE);
    EXPECT_FALSE(found);
    EXPECT_EQ(find(ref, 1, 0, 10, PF_TimeDir_LESS_THAN, &found, &key, &time, nullptr), PF_Err_BAD_CALLBACK_PARAM);

    auto toTime = embedhost::slotAs<pu::KeyIndexToTimeFn>(s->PF_KeyIndexToTime);
    ASSERT_EQ(toTime(ref, 1, 1, &time, &scale), PF_Err_NONE);
    EXPECT_EQ(time, 10);
    EXPECT_EQ(toTime(ref, 1, 3, &time, &scale), PF_Err_BAD_CALLBACK_PARAM);

    auto checkout = embedhost::slotAs<pu::CheckoutKeyframeFn>(s->PF_CheckoutKeyframe);
    auto checkin = embedhost::slotAs<pu::CheckinKeyframeFn>(s->PF_CheckinKeyframe);
    PF_ParamDef def;
    ASSERT_EQ(checkout(ref, 1, 2, &time, &scale, &def), PF_Err_NONE);
    EXPECT_DOUBLE_EQ(def.u.fs_d.value, 20);
    EXPECT_EQ(time, 20);
    EXPECT_EQ(p.outstandingCheckouts(), 1u);
    EXPECT_EQ(host_->params().checkin(&def), PF_Err_BAD_CALLBACK_PARAM); // not a checkout_param
    ASSERT_EQ(checkin(ref, &def), PF_Err_NONE);
    EXPECT_EQ(p.outstandingCheckouts(), 0u);
    ASSERT_EQ(checkout(ref, 1, 0, nullptr, nullptr, nullptr), PF_Err_NONE); // only asking
    EXPECT_EQ(checkout(ref, 1, 7, nullptr, nullptr, &def), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(ParamUtils, StatesChangeWithValuesOnly) {
    const auto *s = suite<PF_ParamUtilsSuite3>(3);
    const PF_ProgPtr ref = host_->effectRef();
    PF_State one, all, quietAll, later;
    A_Boolean same = 0;
    ASSERT_EQ(s->PF_GetCurrentState(ref, 1, nullptr, nullptr, &one), PF_Err_NONE);
    ASSERT_EQ(s->PF_GetCurrentState(ref, PF_ParamIndex_CHECK_ALL, nullptr, nullptr, &all), PF_Err_NONE);
    ASSERT_EQ(s->PF_GetCurrentState(ref, PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE, nullptr, nullptr, &quietAll),
              PF_Err_NONE);
    ASSERT_EQ(s->PF_GetCurrentState(ref, 1, nullptr, nullptr, &later), PF_Err_NONE);
    ASSERT_EQ(s->PF_AreStatesIdentical(ref, &one, &later, &same), PF_Err_NONE);
    EXPECT_TRUE(same);

    host_->params().setValue(3, ParamValue::floatSlider(4)); // excluded from change checks
    ASSERT_EQ(s->PF_GetCurrentState(ref, 1, nullptr, nullptr, &later), PF_Err_NONE);
    s->PF_AreStatesIdentical(ref, &one, &later, &same);
    EXPECT_TRUE(same);
    ASSERT_EQ(s->PF_GetCurrentState(ref, PF_ParamIndex_CHECK_ALL_HONOR_EXCLUDE, nullptr, nullptr, &later), PF_Err_NONE);
    s->PF_AreStatesIdentical(ref, &quietAll, &later, &same);
    EXPECT_TRUE(same);
    ASSERT_EQ(s->PF_GetCurrentState(ref, PF_ParamIndex_CHECK_ALL, nullptr, nullptr, &later), PF_Err_NONE);
    s->PF_AreStatesIdentical(ref, &all, &later, &same);
    EXPECT_FALSE(same);

    host_->params().setValue(1, ParamValue::floatSlider(30));
    ASSERT_EQ(s->PF_GetCurrentState(ref, 1, nullptr, nullptr, &later), PF_Err_NONE);
    s->PF_AreStatesIdentical(ref, &one, &later, &same);
    EXPECT_FALSE(same);
    EXPECT_EQ(s->PF_GetCurrentState(ref, 42, nullptr, nullptr, &later), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(s->PF_GetCurrentState(ref, -9, nullptr, nullptr, &later), PF_Err_BAD_CALLBACK_PARAM);

    // Version 2: one state for everything not excluded.
    const auto *old = suite<PF_ParamUtilsSuite1>(2);
    PF_State before;
    PF_Boolean changed = 1;
    ASSERT_EQ(embedhost::slotAs<pu::GetCurrentStateObsoleteFn>(old->PF_GetCurrentStateObsolete)(ref, &before),
              PF_Err_NONE);
    auto hasChanged = embedhost::slotAs<pu::HasParamChangedObsoleteFn>(old->PF_HasParamChangedObsolete);
    ASSERT_EQ(hasChanged(ref, &before, 1, &changed), PF_Err_NONE);
    EXPECT_FALSE(changed);
    host_->params().setValue(2, ParamValue::popup(2));
    ASSERT_EQ(hasChanged(ref, &before, 1, &changed), PF_Err_NONE);
    EXPECT_TRUE(changed);
}

TEST_F(ParamUtils, IdenticalCheckoutsCompareValuesAtTwoTimes) {
    const auto *s = suite<PF_ParamUtilsSuite3>(3);
    auto identical = embedhost::slotAs<pu::IsIdenticalCheckoutFn>(s->PF_IsIdenticalCheckout);
    const PF_ProgPtr ref = host_->effectRef();
    PF_Boolean same = 0;
    ASSERT_EQ(identical(ref, 1, 0, 1, 30, 90, 1, 30, &same), PF_Err_NONE);
    EXPECT_TRUE(same); // constant
    host_->params().setKeyframe(2, A_Time{0, 30}, ParamValue::popup(1));
    host_->params().setKeyframe(2, A_Time{30, 30}, ParamValue::popup(2));
    ASSERT_EQ(identical(ref, 2, 0, 1, 30, 29, 1, 30, &same), PF_Err_NONE);
    EXPECT_TRUE(same); // held until the next keyframe
    ASSERT_EQ(identical(ref, 2, 0, 1, 30, 30, 1, 30, &same), PF_Err_NONE);
    EXPECT_FALSE(same);
}

TEST_F(ParamUtils, VersionOneIsNotOffered) {
    const void *table = nullptr;
    EXPECT_EQ(host_->suites().acquire(kPFParamUtilsSuite, 1, &table), kSPSuiteNotFoundError);
}

} // namespace
