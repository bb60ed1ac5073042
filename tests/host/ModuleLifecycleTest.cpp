// The lifecycle commands through the built module and the embedded host, as a host sends them:
// user defaults at the 12.11 / 12.12 boundary, greying in the effect controls, sequence data
// across flatten and re-set-up, and About.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "embedhost/Host.h"
#include "tests/support/TestFolders.h"

namespace {

namespace fs = std::filesystem;
using embedhost::Host;
using embedhost::HostProfile;
using embedhost::ParamValue;
using embedhost::Plugin;
using Bytes = std::vector<uint8_t>;

Plugin freshModule() { return Plugin::loadFreshCopy(LUMORA_MODULE_PATH, LUMORA_TEST_TMPDIR); }

HostProfile afterEffects(A_short major, A_short minor) {
    HostProfile p;
    p.version = PF_SpecVersion{major, minor};
    return p;
}

class ModuleLifecycleTest : public ::testing::Test {
protected:
    // A user settings file where the plug-in looks for it, in the profile format.
    void writeUserDefaults(const std::string &entries) {
        const fs::path folder = fs::path(appData.path()) / "NORIK" / "Vantu";
        fs::create_directories(folder);
        lumora::test::writeText((folder / "Lumora.ini").make_preferred().string(), "[Version=1.0]\r\n" + entries);
    }

    Bytes contents(Host &host, PF_Handle h) {
        const auto size = static_cast<std::size_t>(host.handles().size(h));
        const auto *p = static_cast<const uint8_t *>(host.handles().lock(h));
        Bytes bytes(p, p + size);
        host.handles().unlock(h);
        return bytes;
    }

    lumora::test::ScratchFolder appData{std::string("lifecycle-module-") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    lumora::test::ScopedEnv appDataVariable{"LUMORA_APPDATA_DIR", appData.path()};
};

TEST_F(ModuleLifecycleTest, UserDefaultsFrom12_12On) {
    writeUserDefaults("View=4\r\nGlow Radius=25.5\r\nDepth Tint.b=9\r\n");
    {
        Host host(freshModule(), afterEffects(12, 11));
        ASSERT_EQ(host.setUp().err, PF_Err_NONE);
        EXPECT_EQ(host.effect().numParams, 23);
        EXPECT_EQ(host.params().definition(1).u.pd.dephault, 1);
        EXPECT_EQ(host.params().definition(11).u.fs_d.dephault, 10.0f);
        EXPECT_EQ(host.params().definition(19).u.cd.dephault.blue, 255);
        EXPECT_TRUE(host.params().problems().empty());
        EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
    }
    {
        Host host(freshModule(), afterEffects(12, 12));
        ASSERT_EQ(host.setUp().err, PF_Err_NONE);
        EXPECT_EQ(host.params().definition(1).u.pd.dephault, 4);
        EXPECT_EQ(host.params().value(1).whole(), 4);
        EXPECT_EQ(host.params().definition(11).u.fs_d.dephault, 25.5f);
        EXPECT_EQ(host.params().definition(19).u.cd.dephault.blue, 9);
        EXPECT_EQ(host.params().definition(19).u.cd.dephault.red, 255);
        EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
    }
}

TEST_F(ModuleLifecycleTest, GreyingFollowsGlowTypeAndDepthSwitch) {
    Host host(freshModule());
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    ASSERT_EQ(host.command(PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
    EXPECT_FALSE(host.params().disabled(6)) << "Normal glow uses the colour bar";
    for (PF_ParamIndex i = 16; i <= 21; ++i)
        EXPECT_TRUE(host.params().disabled(i)) << "depth effects start off: " << i;
    EXPECT_FALSE(host.params().disabled(14));
    EXPECT_FALSE(host.params().disabled(15));

    host.params().setValueById(51, ParamValue::popup(3));
    host.params().setValueById(201, ParamValue::checkbox(true));
    ASSERT_EQ(host.command(PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
    EXPECT_TRUE(host.params().disabled(6)) << "Original Colors";
    for (PF_ParamIndex i = 16; i <= 21; ++i)
        EXPECT_FALSE(host.params().disabled(i)) << i;

    host.params().setValueById(51, ParamValue::popup(2));
    ASSERT_EQ(host.command(PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
    EXPECT_FALSE(host.params().disabled(6)) << "Angle Map";
    EXPECT_EQ(host.params().refusedUiUpdates(), 0);
    EXPECT_EQ(host.params().checkoutsDuringUpdateParamsUI(), 0);
    EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST_F(ModuleLifecycleTest, SequenceDataSurvivesFlattenAndResetup) {
    const Bytes record = {0x71, 0x65, 0x73, 0x70, 0, 0, 0, 0, 24, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes flat = {0x71, 0x65, 0x73, 0x70, 1, 0, 0, 0, 1, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Host host(freshModule());
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    EXPECT_EQ(contents(host, host.effect().sequenceData), record);

    const embedhost::CommandResult flattened = host.send(PF_Cmd_SEQUENCE_FLATTEN);
    ASSERT_EQ(flattened.err, PF_Err_NONE);
    EXPECT_EQ(contents(host, flattened.out.sequence_data), flat);

    // The flat handle stays the host's: it disposes it after re-set-up.
    ASSERT_EQ(host.send(PF_Cmd_SEQUENCE_RESETUP).err, PF_Err_NONE);
    PF_Handle restored = host.effect().sequenceData;
    EXPECT_NE(restored, flattened.out.sequence_data);
    EXPECT_EQ(contents(host, restored), record);

    PF_Handle damaged = host.handles().newHandle(23);
    std::memcpy(host.handles().lock(damaged), flat.data(), 23);
    host.handles().unlock(damaged);
    host.setSequenceData(damaged);
    ASSERT_EQ(host.send(PF_Cmd_SEQUENCE_RESETUP).err, PF_Err_NONE);
    EXPECT_EQ(contents(host, host.effect().sequenceData), record);
    host.handles().dispose(restored); // replaced by the test's damaged handle, so no longer the host's
    EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
    for (const auto &m : host.handles().misuses())
        ADD_FAILURE() << "handle misuse " << static_cast<int>(m.kind) << " in " << m.operation;
}

TEST_F(ModuleLifecycleTest, AboutShowsTheBuildWithShift) {
    {
        lumora::test::ScopedEnv shift("LUMORA_SHIFT_HELD", "1");
        Host host(freshModule());
        const embedhost::CommandResult r = host.send(PF_Cmd_ABOUT);
        ASSERT_EQ(r.err, PF_Err_NONE);
        EXPECT_EQ(r.message().rfind("Lumora 1.1.1 Release build:13\r\r", 0), 0u) << r.message();
    }
    {
        lumora::test::ScopedEnv shift("LUMORA_SHIFT_HELD", "0");
        Host host(freshModule());
        const embedhost::CommandResult r = host.send(PF_Cmd_ABOUT);
        EXPECT_EQ(r.message().rfind("Lumora 1.1.1 Release\r\r", 0), 0u) << r.message();
    }
}

} // namespace
