// Loading plug-in modules: entry lookup, errors, fresh copies, ownership.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "embedhost/Host.h"

using embedhost::EntryFunc;
using embedhost::Host;
using embedhost::Plugin;

namespace {

struct FakeModuleReport {
    void *reported;
    void *actual;
};

PF_Err idleEntry(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *) { return PF_Err_NONE; }

std::string errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const std::runtime_error &e) {
        return e.what();
    }
    return "";
}

TEST(Plugin, LoadedModuleAnswersAndKnowsItsInstanceHandle) {
    Host host(Plugin::load(EMBEDHOST_FAKE_MODULE));
    ASSERT_TRUE(host.plugin()->isModule());
    ASSERT_NE(host.plugin()->moduleHandle(), nullptr);
    FakeModuleReport report{};
    const auto r = host.send(PF_Cmd_ABOUT, nullptr, nullptr, &report);
    ASSERT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(r.out.my_version, 1u);
    EXPECT_EQ(report.reported, host.plugin()->moduleHandle());
    EXPECT_EQ(report.actual, host.plugin()->moduleHandle());
}

TEST(Plugin, MissingFileNamesThePathAndTheSystemsReason) {
    const std::string path = std::string(LUMORA_TEST_TMPDIR) + "/no-such-module.aex";
    const std::string what = errorOf([&] { Plugin::load(path); });
    EXPECT_NE(what.find("no-such-module.aex"), std::string::npos) << what;
    EXPECT_GT(what.size(), path.size() + 20) << what; // carries the loader's message too
}

TEST(Plugin, ModuleWithoutTheEntryPointIsRefused) {
    const std::string what = errorOf([] { Plugin::load(EMBEDHOST_NOENTRY_MODULE); });
    EXPECT_NE(what.find("EntryPointFunc"), std::string::npos) << what;
}

TEST(Plugin, FreshCopiesHaveTheirOwnStaticsAndAreRemovedAfterUnloading) {
    std::filesystem::path copyPath;
    {
        Plugin first = Plugin::loadFreshCopy(EMBEDHOST_FAKE_MODULE, LUMORA_TEST_TMPDIR);
        copyPath = first.path();
        ASSERT_TRUE(std::filesystem::exists(copyPath));
        Host host(std::move(first));
        EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).out.my_version, 1u);
        EXPECT_EQ(host.send(PF_Cmd_PARAMS_SETUP).out.my_version, 2u);
    }
    EXPECT_FALSE(std::filesystem::exists(copyPath));

    auto kept = std::make_shared<Plugin>(Plugin::load(EMBEDHOST_FAKE_MODULE));
    {
        Host host(kept);
        host.send(PF_Cmd_GLOBAL_SETUP);
    }
    Plugin fresh = Plugin::loadFreshCopy(EMBEDHOST_FAKE_MODULE, LUMORA_TEST_TMPDIR);
    EXPECT_NE(fresh.path(), kept->path());
    EXPECT_NE(fresh.moduleHandle(), kept->moduleHandle());
    {
        Host host(std::move(fresh));
        EXPECT_EQ(host.send(PF_Cmd_ABOUT).out.my_version, 1u); // not 2: its own statics
    }
    {
        Host host(kept); // the shared module kept its statics across hosts
        EXPECT_EQ(host.send(PF_Cmd_ABOUT).out.my_version, 2u);
    }
}

TEST(Plugin, MovingTransfersTheModule) {
    Plugin a = Plugin::load(EMBEDHOST_FAKE_MODULE);
    const EntryFunc entry = a.entry();
    Plugin b(std::move(a));
    EXPECT_EQ(a.entry(), nullptr);
    EXPECT_FALSE(a.isModule());
    EXPECT_EQ(b.entry(), entry);
    Plugin c = Plugin::linked(idleEntry);
    c = std::move(b);
    EXPECT_EQ(c.entry(), entry);
    EXPECT_TRUE(c.isModule());
}

TEST(Plugin, LinkedPluginHasNoFileButAModule) {
    Plugin p = Plugin::linked(idleEntry);
    EXPECT_FALSE(p.isModule());
    EXPECT_TRUE(p.path().empty());
    EXPECT_NE(p.moduleHandle(), nullptr);
    EXPECT_THROW(Plugin::linked(nullptr), std::invalid_argument);
}

TEST(Plugin, UnixPathsMapToTheWineDriveOnWindows) {
#ifdef _WIN32
    EXPECT_EQ(Plugin::nativePath("/work/x/Lumora.aex"), "Z:\\work\\x\\Lumora.aex");
    EXPECT_EQ(Plugin::nativePath("C:\\a\\b.aex"), "C:\\a\\b.aex");
#else
    EXPECT_EQ(Plugin::nativePath("/work/x/Lumora.aex"), "/work/x/Lumora.aex");
#endif
    EXPECT_EQ(Plugin::nativePath("relative/b.aex").find("Z:"), std::string::npos);
}

} // namespace
