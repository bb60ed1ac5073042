// PF_Cmd_PARAMS_SETUP: when the user settings file supplies defaults (every host but After
// Effects 12.11 and older), what is registered with and without it, and the custom UI.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <map>
#include <string>

#include "AE_EffectUI.h"
#include "colorbar/GradColorPresetUI.h"
#include "host/CustomFilter.h"
#include "host/ParamsSetup.h"
#include "options/SettingsFile.h"
#include "host/GlowParamTable.h"
#include "params/ParamRegistry.h"
#include "tests/host/TestFilter.h"
#include "tests/support/TestFolders.h"
#include "tests/support/FakeParamHost.h"

namespace {

using namespace AEUtil;
using lumora::test::FakeParamHost;

constexpr A_long kAfterEffects = 0x46585443; // 'FXTC'
constexpr A_long kPremiere = 0x50724D72;     // 'PrMr'

class ParamsSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetParamRegistry();
        buildGlowParamTable(&fake.inData(), bar);
        sealParamRegistry();
    }
    void TearDown() override {
        resetParamRegistry();
        setSettingsSection(nullptr);
    }

    // A settings file where the host would look for it, as the options dialog writes it.
    void writeSettings(const std::map<std::string, std::string> &entries) {
        char path[kSettingsPathSize];
        ASSERT_TRUE(settingsFilePath(path));
        ASSERT_TRUE(prepareSettingsFolder(path));
        setSettingsSection(kSettingsSectionName);
        for (const auto &[key, value] : entries)
            ASSERT_TRUE(writeSetting(path, key.c_str(), value.c_str()));
        setSettingsSection(nullptr);
    }

    // Registers on a host of that kind and version; the definitions by host index.
    std::map<A_long, PF_ParamDef> registerOn(A_long applId, A_short major, A_short minor) {
        fake.added.clear();
        fake.inData().appl_id = applId;
        fake.inData().version = PF_SpecVersion{major, minor};
        PF_OutData out{};
        EXPECT_EQ(filter.paramsSetup(&fake.inData(), &out, nullptr, nullptr), PF_Err_NONE);
        EXPECT_EQ(out.num_params, 23);
        std::map<A_long, PF_ParamDef> byIndex;
        for (std::size_t i = 0; i < fake.added.size(); ++i)
            byIndex[static_cast<A_long>(i + 1)] = fake.added[i];
        return byIndex;
    }

    lumora::test::ScratchFolder appData{std::string("lifecycle-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    lumora::test::ScopedEnv appDataVariable{"LUMORA_APPDATA_DIR", appData.path()};
    embedhost::Host host;
    FakeParamHost fake{host};
    GradColorPresetUI bar;
    lumora::test::TestFilter filter;
};

const std::map<std::string, std::string> kUserDefaults = {{"View", "3"},
                                                          {"Blend Mode", "12"},
                                                          {"Opacity", "50.500000"},
                                                          {"Glow Type", "2"},
                                                          {"Enable Depth Effects", "1"},
                                                          {"Depth Tint.g", "7"},
                                                          {"Center Position", "75.000000"}};

TEST_F(ParamsSetupTest, AfterEffects12_11IgnoresThePresentFile) {
    writeSettings(kUserDefaults);
    auto defs = registerOn(kAfterEffects, 12, 11);
    EXPECT_EQ(defs[1].u.pd.value, 1);
    EXPECT_EQ(defs[2].u.pd.value, 3);
    EXPECT_EQ(defs[3].u.fs_d.value, 100.0);
    EXPECT_EQ(defs[15].u.bd.value, 0);
    EXPECT_EQ(defs[19].u.cd.value.green, 255);
    EXPECT_STREQ(settingsSection(), "") << "no section while the file is not in use";
}

TEST_F(ParamsSetupTest, AfterEffects12_12ReadsIt) {
    writeSettings(kUserDefaults);
    auto defs = registerOn(kAfterEffects, 12, 12);
    EXPECT_EQ(defs[1].u.pd.value, 3);
    EXPECT_EQ(defs[2].u.pd.dephault, 12);
    EXPECT_EQ(defs[3].u.fs_d.value, 50.5);
    EXPECT_EQ(defs[3].u.fs_d.dephault, 50.5f);
    EXPECT_EQ(defs[5].u.pd.value, 2);
    EXPECT_EQ(defs[15].u.bd.value, 1);
    EXPECT_EQ(defs[17].u.fs_d.value, 75.0);
    const PF_Pixel tint = defs[19].u.cd.value;
    EXPECT_EQ(tint.red, 255);
    EXPECT_EQ(tint.green, 7);
    EXPECT_EQ(tint.blue, 255);
    EXPECT_EQ(tint.alpha, 255);
    EXPECT_EQ(defs[9].u.fs_d.value, 60.0) << "entries not in the file keep the built-in default";
    EXPECT_STREQ(settingsSection(), "Version=1.0");
}

TEST_F(ParamsSetupTest, OtherVersionsAndHosts) {
    writeSettings(kUserDefaults);
    EXPECT_EQ(registerOn(kAfterEffects, 13, 0)[1].u.pd.value, 3);
    EXPECT_EQ(registerOn(kAfterEffects, 12, 0)[1].u.pd.value, 1);
    EXPECT_EQ(registerOn(kAfterEffects, 11, 40)[1].u.pd.value, 1);
    EXPECT_EQ(registerOn(kPremiere, 1, 0)[1].u.pd.value, 3) << "another host always uses the file";
}

TEST_F(ParamsSetupTest, WithoutAFileTheTableDefaults) {
    auto defs = registerOn(kAfterEffects, 13, 28);
    ASSERT_EQ(defs.size(), 22u);
    EXPECT_EQ(defs[1].u.pd.value, 1);
    EXPECT_EQ(defs[2].u.pd.value, 3);
    EXPECT_EQ(defs[3].u.fs_d.value, 100.0);
    EXPECT_EQ(defs[5].u.pd.value, 1);
    EXPECT_EQ(defs[8].u.pd.value, 1);
    EXPECT_EQ(defs[9].u.fs_d.value, 60.0);
    EXPECT_EQ(defs[10].u.fs_d.value, 10.0);
    EXPECT_EQ(defs[11].u.fs_d.value, 10.0);
    EXPECT_EQ(defs[12].u.fs_d.value, 0.0);
    EXPECT_EQ(defs[13].u.fs_d.value, 0.0);
    EXPECT_EQ(defs[15].u.bd.value, 0);
    EXPECT_EQ(defs[17].u.fs_d.value, 50.0);
    EXPECT_EQ(defs[18].u.fs_d.value, 0.0);
    EXPECT_EQ(defs[20].u.fs_d.value, 10.0);
    EXPECT_EQ(defs[21].u.fs_d.value, 0.0);
    EXPECT_FALSE(lumora::test::exists(appData / "NORIK")) << "registration never writes the file";
}

TEST_F(ParamsSetupTest, FailureStopsButCountsAllParameters) {
    fake.failAddAt = 2;
    PF_OutData out{};
    EXPECT_EQ(filter.paramsSetup(&fake.inData(), &out, nullptr, nullptr), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(fake.added.size(), 2u);
    EXPECT_EQ(out.num_params, 23);
}

// The glow effect's set-up adds its custom UI for the effect panel.
PF_CustomUIInfo g_ui;
int g_uiCalls = 0;
PF_Err registerUi(PF_ProgPtr, PF_CustomUIInfo *info) {
    g_ui = *info;
    ++g_uiCalls;
    return 0x77;
}

TEST_F(ParamsSetupTest, GlowEffectRegistersItsCustomUI) {
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    {
        CustomFilter glow;
        fake.inData().inter.register_ui = registerUi;
        g_uiCalls = 0;
        std::memset(&g_ui, 0xFF, sizeof g_ui);
        PF_OutData out{};
        EXPECT_EQ(glow.paramsSetup(&fake.inData(), &out, nullptr, nullptr), 0x77) << "register_ui's answer";
        EXPECT_EQ(out.num_params, 23);
        EXPECT_EQ(g_uiCalls, 1);
        EXPECT_EQ(g_ui.events, PF_CustomEFlag_EFFECT);
        EXPECT_EQ(g_ui.comp_ui_width, 0);
        EXPECT_EQ(g_ui.layer_ui_height, 0);
        EXPECT_EQ(g_ui.preview_ui_alignment, 0);

        fake.added.clear();
        fake.failAddAt = 0;
        g_uiCalls = 0;
        EXPECT_EQ(glow.paramsSetup(&fake.inData(), &out, nullptr, nullptr), PF_Err_OUT_OF_MEMORY);
        EXPECT_EQ(g_uiCalls, 0) << "no custom UI after a failed registration";
    }
    std::setlocale(LC_ALL, locale.c_str());
}

} // namespace
