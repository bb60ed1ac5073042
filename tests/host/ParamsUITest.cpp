// PF_Cmd_UPDATE_PARAMS_UI: which controls "Glow Type" and "Enable Depth Effects" grey out, told
// to the host through copies of the definitions.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "colorbar/GradColorPresetUI.h"
#include "embedhost/Host.h"
#include "host/GlowParamTable.h"
#include "params/ParamRegistry.h"
#include "tests/host/TestFilter.h"

namespace {

using namespace AEUtil;

struct UiCall {
    PF_ParamIndex index;
    PF_ParamUIFlags uiFlags;
    const PF_ParamDef *def;
};
std::vector<UiCall> g_calls;

PF_Err updateParamUI(PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef *def) {
    g_calls.push_back({index, def->ui_flags, def});
    return PF_Err_NONE;
}

class ParamsUITest : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        suite.PF_UpdateParamUI = updateParamUI;
        host.suites().add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, &suite);
        resetParamRegistry();
        buildGlowParamTable(&in, bar);
        sealParamRegistry();
        for (int i = 0; i < 23; ++i) {
            array[i].ui_flags = PF_PUI_NONE;
            params[i] = &array[i];
        }
        array[5].u.pd.value = 1;  // Glow Type: Normal
        array[15].u.bd.value = 1; // Enable Depth Effects: on
    }
    void TearDown() override { resetParamRegistry(); }

    std::map<PF_ParamIndex, PF_ParamUIFlags> update() {
        g_calls.clear();
        EXPECT_EQ(filter.updateParamsUI(&in, &out, params, nullptr), PF_Err_NONE);
        std::map<PF_ParamIndex, PF_ParamUIFlags> told;
        for (const UiCall &c : g_calls) {
            EXPECT_NE(c.def, params[c.index]) << "the host gets a copy";
            told[c.index] = c.uiFlags;
        }
        return told;
    }

    embedhost::Host host;
    PF_InData in = host.inData();
    PF_OutData out{};
    PF_ParamUtilsSuite3 suite{};
    GradColorPresetUI bar;
    lumora::test::TestFilter filter;
    PF_ParamDef array[23]{};
    PF_ParamDef *params[23]{};
};

TEST_F(ParamsUITest, OriginalColorsGreysOutTheColorBar) {
    array[5].u.pd.value = 3;
    array[6].ui_flags = PF_PUI_CONTROL;
    const auto told = update();
    ASSERT_TRUE(told.count(6));
    EXPECT_EQ(told.at(6), PF_PUI_CONTROL | PF_PUI_DISABLED) << "other UI flags are kept";
    EXPECT_EQ(array[6].ui_flags, PF_PUI_CONTROL) << "the command's own array is left alone";
}

TEST_F(ParamsUITest, NormalAndAngleMapRestoreTheColorBar) {
    for (A_long type : {1, 2}) {
        array[5].u.pd.value = type;
        array[6].ui_flags = PF_PUI_CONTROL | PF_PUI_DISABLED;
        const auto told = update();
        ASSERT_TRUE(told.count(6));
        EXPECT_EQ(told.at(6), PF_PUI_CONTROL) << "glow type " << type;
    }
}

TEST_F(ParamsUITest, DepthOffGreysOutTheSixDepthControls) {
    array[15].u.bd.value = 0;
    const auto told = update();
    for (PF_ParamIndex i : {16, 17, 18, 19, 20, 21}) {
        ASSERT_TRUE(told.count(i)) << i;
        EXPECT_EQ(told.at(i), PF_PUI_DISABLED) << i;
    }
    EXPECT_FALSE(told.count(14)) << "the group stays";
    EXPECT_FALSE(told.count(15)) << "the checkbox stays";
    EXPECT_FALSE(told.count(22));
    EXPECT_EQ(told.size(), 7u) << "six depth controls and the colour bar";
}

TEST_F(ParamsUITest, DepthOnEnablesThem) {
    for (int i = 16; i <= 21; ++i)
        array[i].ui_flags = PF_PUI_DISABLED;
    const auto told = update();
    for (PF_ParamIndex i : {16, 17, 18, 19, 20, 21})
        EXPECT_EQ(told.at(i), PF_PUI_NONE) << i;
    EXPECT_EQ(told.at(6), PF_PUI_NONE);
}

TEST_F(ParamsUITest, WithoutAParameterArrayNothingChanges) {
    g_calls.clear();
    EXPECT_EQ(filter.updateParamsUI(&in, &out, nullptr, nullptr), PF_Err_NONE);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(ParamsUITest, SuiteIsReleased) {
    update();
    EXPECT_EQ(host.suites().acquired(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3), 1);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

} // namespace
