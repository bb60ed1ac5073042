// The module's entry point as the host meets it: each test loads a private copy of the built
// module (Lumora.so here, Lumora.aex under wine), so first-call behaviour starts fresh.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "embedhost/Host.h"

namespace {

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Plugin;

std::shared_ptr<Plugin> freshModule() {
    return std::make_shared<Plugin>(Plugin::loadFreshCopy(LUMORA_MODULE_PATH, LUMORA_TEST_TMPDIR));
}

bool isUntouched(const PF_OutData &out) {
    PF_OutData zero{};
    return std::memcmp(&out, &zero, sizeof zero) == 0;
}

TEST(EntryPoint, OtherApplicationsAreRefusedBeforeAnythingIsBuilt) {
    auto module = freshModule();
    {
        HostProfile premiere;
        premiere.applId = embedhost::fourCharCode("PrMr");
        Host host(module, premiere);
        for (PF_Cmd cmd : {PF_Cmd_ABOUT, PF_Cmd_GLOBAL_SETUP, PF_Cmd_RENDER}) {
            const auto r = host.send(cmd);
            EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM) << cmd;
            EXPECT_TRUE(isUntouched(r.out)) << cmd;
        }
        EXPECT_TRUE(host.suites().uses().empty()) << "no suite may be acquired for a foreign host";
        EXPECT_EQ(host.handles().totalAllocated(), 0u);
    }
    // The refusal left nothing behind: After Effects is served normally afterwards.
    Host host(module);
    const auto r = host.send(PF_Cmd_GLOBAL_SETUP);
    EXPECT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(r.out.my_version, 560653u);
}

TEST(EntryPoint, MissingBasicSuiteIsReportedAsBadCallbackParam) {
    HostProfile profile;
    profile.provideBasicSuite = false;
    Host host(freshModule(), profile);
    const auto r = host.send(PF_Cmd_GLOBAL_SETUP);
    EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(r.message(), "error code = 516\nPF_Err_BAD_CALLBACK_PARAM");
}

TEST(EntryPoint, GlobalSetupMatchesThePropertyList) {
    Host host(freshModule());
    const auto r = host.send(PF_Cmd_GLOBAL_SETUP);
    ASSERT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(r.out.my_version, 560653u); // 1.1.1 release, build 13
    EXPECT_EQ(static_cast<A_u_long>(r.out.out_flags), 0x06008270u);
    EXPECT_EQ(static_cast<A_u_long>(r.out.out_flags2), 0x08801499u);
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(EntryPoint, UnlistedCommandsSucceedAndChangeNothing) {
    Host host(freshModule());
    ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_NONE);
    const PF_Cmd unlisted[] = {2, 10, 12, 16, 17, 19, 20, 21, 25, 26, 27, 29, 30, 33, 34, 1000, -1, -77};
    for (PF_Cmd cmd : unlisted) {
        const auto r = host.send(cmd);
        EXPECT_EQ(r.err, PF_Err_NONE) << cmd;
        EXPECT_TRUE(isUntouched(r.out)) << cmd;
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
    EXPECT_EQ(host.suites().badReleases(), 0);
}

TEST(EntryPoint, OptionsDialogCommandAlwaysYieldsZero) {
    Host host(freshModule());
    ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_NONE);
    EXPECT_EQ(host.send(PF_Cmd_DO_DIALOG).err, PF_Err_NONE);
}

TEST(EntryPoint, EverySuiteIsReleasedAfterEveryCommand) {
    Host host(freshModule());
    const PF_Cmd order[] = {PF_Cmd_GLOBAL_SETUP,        PF_Cmd_PARAMS_SETUP,     PF_Cmd_SEQUENCE_SETUP,
                            PF_Cmd_QUERY_DYNAMIC_FLAGS, PF_Cmd_UPDATE_PARAMS_UI, PF_Cmd_SEQUENCE_FLATTEN,
                            PF_Cmd_SEQUENCE_RESETUP,    PF_Cmd_SEQUENCE_SETDOWN, PF_Cmd_GLOBAL_SETDOWN};
    for (PF_Cmd cmd : order) {
        EXPECT_EQ(host.send(cmd).err, PF_Err_NONE) << cmd;
        EXPECT_EQ(host.suites().outstanding(), 0) << cmd;
    }
    EXPECT_EQ(host.suites().badReleases(), 0);
    EXPECT_EQ(host.handles().live(), 0u);
}

TEST(EntryPoint, CommandsAfterGlobalSetdownReachARebuiltFilter) {
    Host host(freshModule());
    for (int round = 0; round < 3; ++round) {
        const auto setup = host.send(PF_Cmd_GLOBAL_SETUP);
        ASSERT_EQ(setup.err, PF_Err_NONE) << round;
        EXPECT_EQ(setup.out.my_version, 560653u) << round;
        EXPECT_EQ(host.send(PF_Cmd_QUERY_DYNAMIC_FLAGS).err, PF_Err_NONE) << round;
        ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETDOWN).err, PF_Err_NONE) << round;
        // A host that keeps the module loaded may still send anything, not only GLOBAL_SETUP.
        const auto late = host.send(PF_Cmd_ABOUT);
        EXPECT_EQ(late.err, PF_Err_NONE) << round;
        ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETDOWN).err, PF_Err_NONE) << round;
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(EntryPoint, RenderThreadsMayCallAtTheSameTime) {
    Host host(freshModule());
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i)
                failures[t] += host.send(PF_Cmd_QUERY_DYNAMIC_FLAGS).err != PF_Err_NONE;
        });
    for (auto &th : threads)
        th.join();
    for (int f : failures)
        EXPECT_EQ(f, 0);
    EXPECT_EQ(host.suites().outstanding(), 0);
    EXPECT_EQ(host.tearDown().err, PF_Err_NONE);
}

} // namespace
