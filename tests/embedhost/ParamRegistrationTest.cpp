// add_param and register_ui as the embedded host serves them at parameter set-up: what it
// accepts, what it refuses, and the copy of each definition it keeps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Plugin;

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override { fake::reset(); }
    std::unique_ptr<Host> start() {
        auto host = std::make_unique<Host>(Plugin::linked(fake::entry));
        EXPECT_EQ(host->setUp().err, PF_Err_NONE);
        return host;
    }
    // Registers one definition alone; returns add_param's answer.
    PF_Err registerAlone(const PF_ParamDef &def) {
        fake::reset();
        fake::effect().defs = {def};
        auto host = start();
        EXPECT_EQ(fake::effect().addResults.size(), 1u);
        const PF_Err err = fake::effect().addResults.at(0);
        if (err != PF_Err_NONE) {
            EXPECT_EQ(host->params().count(), 1);
            EXPECT_FALSE(host->params().problems().empty());
        }
        host->tearDown();
        EXPECT_EQ(host->handles().live(), 0u); // a refused default went back to the plug-in
        return err;
    }
};

TEST_F(Registration, KeepsHostOrderIdsAndFlags) {
    PF_ParamDef slider = fake::floatSlider("Amount", 3, 0, 100, 0, 50, 25);
    slider.flags = PF_ParamFlag_COLLAPSE_TWIRLY;
    PF_ParamDef box = fake::checkbox("On", 51, "enabled", true);
    box.ui_flags = PF_PUI_STD_CONTROL_ONLY;
    fake::effect().defs = {fake::popup("Mode", 10, "A|B", 2, 2), slider, fake::groupStart("Group", 50), box,
                           fake::groupEnd(53)};
    auto host = start();
    auto &p = host->params();
    ASSERT_EQ(p.count(), 6);
    const A_long ids[] = {10, 3, 50, 51, 53};
    for (PF_ParamIndex i = 1; i < 6; ++i) {
        EXPECT_EQ(p.definition(i).uu.id, ids[i - 1]);
        EXPECT_EQ(p.indexOfId(ids[i - 1]), i);
    }
    EXPECT_EQ(p.definition(2).flags, PF_ParamFlag_COLLAPSE_TWIRLY);
    EXPECT_EQ(p.uiFlags(4), PF_PUI_STD_CONTROL_ONLY);
    EXPECT_STREQ(p.definition(5).name, "");
    EXPECT_FALSE(p.indexOfId(4));
    EXPECT_TRUE(p.problems().empty());
    host->tearDown();
}

TEST_F(Registration, IndexZeroIsTheInputLayerAndTheOnlyEntryOfTheSetUpArray) {
    fake::effect().defs = {fake::floatSlider("Amount", 3, 0, 100, 0, 100, 25)};
    PF_ParamType firstType = -2;
    bool inputHasPixels = true;
    fake::effect().hook = [&](PF_Cmd cmd, PF_InData *, PF_OutData *, PF_ParamDef *params[], void *, PF_Err *) {
        if (cmd == PF_Cmd_PARAMS_SETUP && params) {
            firstType = params[0]->param_type;
            inputHasPixels = params[0]->u.ld.data != nullptr;
        }
        return false;
    };
    auto host = start();
    EXPECT_EQ(firstType, PF_Param_LAYER);
    EXPECT_FALSE(inputHasPixels);
    EXPECT_EQ(host->params().definition(0).param_type, PF_Param_LAYER);
    EXPECT_EQ(host->params().count(), 2);
    const std::vector<bool> given = fake::effect().arrayGiven;
    ASSERT_EQ(given.size(), 3u);
    EXPECT_FALSE(given[0]); // global set-up
    EXPECT_TRUE(given[1]);  // parameter set-up: the input layer
    EXPECT_FALSE(given[2]); // sequence set-up
    host->tearDown();
}

TEST_F(Registration, AddParamAndRegisterUiOutsideParameterSetUpAreRefused) {
    fake::effect().defs = {fake::floatSlider("Amount", 3, 0, 100, 0, 100, 25)};
    auto host = start();
    PF_Err addErr = PF_Err_NONE, uiErr = PF_Err_NONE;
    fake::during(*host, PF_Cmd_USER_CHANGED_PARAM, [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], void *) {
        PF_ParamDef late = fake::floatSlider("Late", 9, 0, 1, 0, 1, 0);
        addErr = in->inter.add_param(in->effect_ref, -1, &late);
        PF_CustomUIInfo ui{};
        uiErr = in->inter.register_ui(in->effect_ref, &ui);
    });
    EXPECT_EQ(addErr, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(uiErr, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host->params().count(), 2);
    EXPECT_FALSE(host->params().customUi());
    host->tearDown();
}

TEST_F(Registration, ChoiceAndLabelTextAreCopiedNotPointedTo) {
    char choices[] = "One|Two|Three";
    char label[] = "tick";
    fake::effect().defs = {fake::popup("Mode", 1, choices, 3, 1), fake::checkbox("Box", 2, label, false)};
    auto host = start();
    std::memcpy(choices, "XXX|YYY|ZZZZZ", sizeof choices);
    std::memcpy(label, "gone", sizeof label);
    EXPECT_EQ(host->params().choices(1), "One|Two|Three");
    EXPECT_EQ(host->params().label(2), "tick");
    const PF_ParamDef popup = host->params().current(1);
    EXPECT_NE(popup.u.pd.u.namesptr, static_cast<const char *>(choices));
    EXPECT_STREQ(popup.u.pd.u.namesptr, "One|Two|Three");
    EXPECT_STREQ(host->params().definition(2).u.bd.u.nameptr, "tick");
    host->tearDown();
}

TEST_F(Registration, CheckboxesCannotInterpolate) {
    fake::effect().defs = {fake::checkbox("Box", 2, "", true)};
    auto host = start();
    EXPECT_TRUE(host->params().definition(1).flags & PF_ParamFlag_CANNOT_INTERP);
    host->tearDown();
}

TEST_F(Registration, ValuesStartAtTheDefaultNotTheValueField) {
    PF_ParamDef slider = fake::floatSlider("Amount", 3, 0, 100, 0, 100, 0.1f);
    slider.u.fs_d.value = 9;
    PF_ParamDef menu = fake::popup("Mode", 4, "A|B|C", 3, 3);
    menu.u.pd.value = 2;
    fake::effect().defs = {slider, menu, fake::color("Tint", 5, PF_Pixel{255, 10, 20, 30})};
    auto host = start();
    // The default is single precision in the definition; the host keeps that number.
    EXPECT_EQ(host->params().value(1).number, double(0.1f));
    EXPECT_EQ(host->params().value(2).number, 3);
    EXPECT_EQ(host->params().value(3).color.green, 20);
    host->tearDown();
}

TEST_F(Registration, RefusesBadRangesAndDefaults) {
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 100, 0, 100, 100.5f)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 100, 0, 101, 50)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 100, -1, 50, 50)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 10, 0, 0, 0, 0)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 100, 60, 40, 50)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 100, 0, 100, std::nanf(""))), PF_Err_BAD_CALLBACK_PARAM);
    // The edges themselves are fine, and typed values may range wider than the slider.
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, 0, 1000, 0, 100, 1000)), PF_Err_NONE);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 1, -100, 100, -100, 100, -100)), PF_Err_NONE);
}

TEST_F(Registration, RefusesPopupsWhoseChoicesDoNotAddUp) {
    EXPECT_EQ(registerAlone(fake::popup("P", 1, "A|B|C", 2, 1)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::popup("P", 1, "A|B", 2, 0)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::popup("P", 1, "A|B", 2, 3)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::popup("P", 1, nullptr, 2, 1)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::popup("P", 1, "", 0, 0)), PF_Err_BAD_CALLBACK_PARAM);
    // Separators take a position like any entry.
    EXPECT_EQ(registerAlone(fake::popup("P", 1, "A|(-|B", 3, 3)), PF_Err_NONE);
}

TEST_F(Registration, RefusesMalformedDefinitions) {
    EXPECT_EQ(registerAlone(fake::checkbox("C", 1, nullptr, false)), PF_Err_BAD_CALLBACK_PARAM);
    PF_ParamDef hidden = fake::arbitrary("Arb", 1);
    hidden.ui_flags = PF_PUI_NONE;
    EXPECT_EQ(registerAlone(hidden), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", 0, 0, 1, 0, 1, 0)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::floatSlider("F", -5, 0, 1, 0, 1, 0)), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(registerAlone(fake::groupEnd(4)), PF_Err_BAD_CALLBACK_PARAM);
    PF_ParamDef noName = fake::floatSlider("F", 1, 0, 1, 0, 1, 0);
    std::memset(noName.name, 'x', sizeof noName.name);
    EXPECT_EQ(registerAlone(noName), PF_Err_BAD_CALLBACK_PARAM);
    PF_ParamDef otherLayer = fake::layer("L", 1);
    otherLayer.u.ld.dephault = 5;
    EXPECT_EQ(registerAlone(otherLayer), PF_Err_BAD_CALLBACK_PARAM);
    PF_ParamDef unknown = fake::floatSlider("F", 1, 0, 1, 0, 1, 0);
    unknown.param_type = 99;
    EXPECT_EQ(registerAlone(unknown), PF_Err_UNRECOGNIZED_PARAM_TYPE);
    unknown.param_type = PF_Param_ANGLE;
    EXPECT_EQ(registerAlone(unknown), PF_Err_UNRECOGNIZED_PARAM_TYPE);
}

TEST_F(Registration, DiskIdsMustBeUnique) {
    fake::effect().defs = {fake::floatSlider("A", 4, 0, 1, 0, 1, 0), fake::floatSlider("B", 4, 0, 1, 0, 1, 0),
                           fake::floatSlider("C", 5, 0, 1, 0, 1, 0)};
    auto host = start();
    ASSERT_EQ(fake::effect().addResults.size(), 3u);
    EXPECT_EQ(fake::effect().addResults[1], PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host->params().count(), 3);
    EXPECT_STREQ(host->params().definition(2).name, "C");
    host->tearDown();
}

TEST_F(Registration, AnExplicitIndexMustBeTheNextOne) {
    std::vector<PF_Err> results;
    fake::effect().hook = [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *[], void *, PF_Err *r) {
        if (cmd != PF_Cmd_PARAMS_SETUP)
            return false;
        PF_ParamDef a = fake::floatSlider("A", 1, 0, 1, 0, 1, 0), b = fake::floatSlider("B", 2, 0, 1, 0, 1, 0);
        results.push_back(in->inter.add_param(in->effect_ref, 1, &a));
        results.push_back(in->inter.add_param(in->effect_ref, 1, &b));
        results.push_back(in->inter.add_param(in->effect_ref, 5, &b));
        results.push_back(in->inter.add_param(in->effect_ref, 2, &b));
        out->num_params = 3;
        *r = PF_Err_NONE;
        return true;
    };
    auto host = start();
    EXPECT_EQ(results,
              (std::vector<PF_Err>{PF_Err_NONE, PF_Err_BAD_CALLBACK_PARAM, PF_Err_BAD_CALLBACK_PARAM, PF_Err_NONE}));
    EXPECT_EQ(host->params().count(), 3);
    host->tearDown();
}

TEST_F(Registration, ReportsACountMismatchAndAnOpenGroup) {
    fake::effect().defs = {fake::groupStart("G", 1), fake::floatSlider("A", 2, 0, 1, 0, 1, 0)};
    fake::effect().numParams = 5;
    auto host = start();
    const auto problems = host->params().problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("num_params is 5"), std::string::npos);
    EXPECT_NE(problems[1].find("open"), std::string::npos);
    host->tearDown();
}

TEST_F(Registration, RecordsTheCustomUi) {
    fake::effect().defs = {fake::arbitrary("Bar", 7)};
    fake::effect().registerUi = true;
    fake::effect().ui.events = 4;
    fake::effect().ui.comp_ui_width = 12;
    auto host = start();
    EXPECT_EQ(fake::effect().registerUiResult, PF_Err_NONE);
    ASSERT_TRUE(host->params().customUi());
    EXPECT_EQ(host->params().customUi()->events, 4);
    EXPECT_EQ(host->params().customUi()->comp_ui_width, 12);
    host->tearDown();
}

TEST_F(Registration, ASecondParameterSetUpStartsOver) {
    fake::effect().defs = {fake::arbitrary("Bar", 7), fake::floatSlider("A", 2, 0, 1, 0, 1, 0)};
    auto host = start();
    const std::size_t liveBefore = host->handles().live();
    ASSERT_EQ(host->command(PF_Cmd_PARAMS_SETUP).err, PF_Err_NONE);
    EXPECT_EQ(host->params().count(), 3);
    EXPECT_TRUE(host->params().problems().empty());
    // The first set-up's default and value went back; the second made the same number again.
    EXPECT_EQ(host->handles().live(), liveBefore);
    EXPECT_EQ(host->params().arbitrary().held(), 2u);
    host->tearDown();
    EXPECT_EQ(host->handles().live(), 0u);
}

} // namespace
