// `lumora defaults ...` run in-process on the linked plug-in, and the plug-in's parameter set-up
// reading what it saved; the application-data folder is redirected into the build tree.
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"
#include "options/SettingsFile.h"
#include "params/BaseParam.h"
#include "params/ParamRegistry.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "tests/support/HostPath.h"
#include "tests/support/TestFolders.h"
#include "tests/support/FullDisk.h"

namespace {

using lumora::test::exists;
using lumora::test::readLines;
using lumora::test::ScopedEnv;
using lumora::test::ScratchFolder;
using lumora::test::writeText;
using Lines = std::vector<std::string>;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// What a file written with the built-in defaults holds, in host-index order.
const Lines kBuiltinFile = {
    "[Version=1.0]",
    "View=1",
    "Blend Mode=3",
    "Opacity=100.000000",
    "Glow Type=1",
    "Input Channel=1",
    "Threshold=60.000000",
    "Threshold Soft=10.000000",
    "Glow Radius=10.000000",
    "Glow Aspect=0.000000",
    "Glow Intensity=0.000000",
    "Enable Depth Effects=0",
    "Center Position=50.000000",
    "Depth Bias=0.000000",
    "Depth Tint.r=255",
    "Depth Tint.g=255",
    "Depth Tint.b=255",
    "Depth Tint.a=255",
    "Depth Radius=10.000000",
    "Depth Intensity=0.000000",
};

class DefaultsCommandTest : public ::testing::Test {
protected:
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    Outcome lumora(std::vector<std::string> args) {
        std::ostringstream out, err;
        Outcome run;
        run.status = lumora::cli::runCommandLine(args, lumora::cli::allCommands(), out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    // The registration object at a host index after a parameter set-up on the given host.
    const PF_ParamDef &registered(A_long index, PF_SpecVersion version) {
        embedhost::HostProfile profile;
        profile.version = version;
        embedhost::Host host(embedhost::Plugin::linked(&EntryPointFunc), profile);
        EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_NONE);
        EXPECT_EQ(host.send(PF_Cmd_PARAMS_SETUP).err, PF_Err_NONE);
        host.send(PF_Cmd_GLOBAL_SETDOWN);
        const AEUtil::BaseParam *param = AEUtil::paramAtIndex(index);
        EXPECT_NE(param, nullptr);
        return param->definition();
    }

    ScratchFolder folder{std::string("defaults-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string appData = folder / "AppData";
    std::string file = folder / "AppData/NORIK/Vantu/Lumora.ini";
    ScopedEnv redirect{lumora::platform::kAppDataDirVariable, appData};
    // The plug-in takes the user's locale; these expectations are written with a full stop.
    ScopedEnv cLocale{"LC_ALL", std::string("C")};
};

TEST_F(DefaultsCommandTest, PathNamesTheFileUnderTheApplicationDataFolder) {
    const Outcome run = lumora({"defaults", "path"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, file + "\n");
    EXPECT_FALSE(exists(appData)); // naming it creates nothing
}

TEST_F(DefaultsCommandTest, SaveWritesTheBuiltInDefaultsInHostOrder) {
    const Outcome run = lumora({"defaults", "save"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readLines(file), kBuiltinFile);
}

TEST_F(DefaultsCommandTest, SetReplacesSingleEntries) {
    const Outcome run = lumora({"defaults", "save", "--set", "Glow Radius=25", "--set=depth tint.g=128", "--set",
                                "Blend Mode=14", "--set", "Enable Depth Effects=1", "--set", "Glow Aspect=-12.25"});
    ASSERT_EQ(run.status, 0) << run.err;
    Lines expected = kBuiltinFile;
    expected[2] = "Blend Mode=14";
    expected[8] = "Glow Radius=25.000000";
    expected[9] = "Glow Aspect=-12.250000";
    expected[11] = "Enable Depth Effects=1";
    expected[15] = "Depth Tint.g=128";
    EXPECT_EQ(readLines(file), expected);
}

TEST_F(DefaultsCommandTest, SaveOverwritesEntriesAndKeepsEverythingElse) {
    ASSERT_TRUE(lumora::platform::createFolderTree(folder / "AppData/NORIK/Vantu"));
    writeText(file, "[Version=1.0]\nGlow Radius=99.000000\nForeign=kept\n[Other]\nx=1\n");
    ASSERT_EQ(lumora({"defaults", "save"}).status, 0);
    const Lines lines = readLines(file);
    ASSERT_EQ(lines.size(), kBuiltinFile.size() + 3);
    EXPECT_EQ(lines[1], "Glow Radius=10.000000");
    EXPECT_EQ(lines[2], "Foreign=kept");
    EXPECT_EQ(lines[lines.size() - 2], "[Other]");
}

TEST_F(DefaultsCommandTest, WrongNamesAndValuesFailAndWriteNothing) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"--set", "Glow Radiance=5"},  // no such parameter
        {"--set", "Glow Color Bar=1"}, // a parameter without user default
        {"--set", "Depth Tint=1"},     // colours are set per channel
        {"--set", "View=0"},           // positions start at 1
        {"--set", "View=2"},           // a separator line of the menu
        {"--set", "Blend Mode=15"},    // 14 entries
        {"--set", "Opacity=100.5"},    // 0 to 100
        {"--set", "Glow Radius=ten"},
        {"--set", "Glow Radius="},
        {"--set", "Depth Tint.r=256"},
        {"--set", "Enable Depth Effects=2"},
        {"--set", "Glow Radius=20", "--set", "Threshold=-1"}, // one bad value spoils all
        {"--set", "Opacity=0x40"},                            // as `render`: no hexadecimal
        {"--set", "Blend Mode=scren"},
    };
    for (const std::vector<std::string> &mistake : mistakes) {
        std::vector<std::string> args = {"defaults", "save"};
        args.insert(args.end(), mistake.begin(), mistake.end());
        const Outcome run = lumora(args);
        EXPECT_EQ(run.status, 1) << mistake.back();
        EXPECT_NE(run.err.find(mistake.back().substr(0, mistake.back().find('='))), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(exists(appData)) << mistake.back();
    }
}

TEST_F(DefaultsCommandTest, ValuesAsRenderTakesThem) {
    ASSERT_EQ(lumora({"defaults", "save", "--set", "Blend Mode=screen", "--set", "Enable Depth Effects=on", "--set",
                      "View=3"})
                  .status,
              0);
    const Lines lines = readLines(file);
    EXPECT_EQ(lines[1], "View=3");
    EXPECT_EQ(lines[2], "Blend Mode=6");
    EXPECT_EQ(lines[11], "Enable Depth Effects=1");
}

TEST_F(DefaultsCommandTest, AFullDiskKeepsTheOldFileAndFails) {
    lumora::test::FullDisk disk(appData, 16 * 1024);
    LUMORA_NEED_FULL_DISK(disk);
    ASSERT_TRUE(lumora::platform::createFolderTree(folder / "AppData/NORIK/Vantu"));
    writeText(file, "[Version=1.0]\nGlow Radius=99.000000\n");
    std::ofstream(folder / "AppData/filler", std::ios::binary) << std::string(12 * 1024, 'f');
    const Outcome run = lumora({"defaults", "save"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "Glow Radius=99.000000"}));
}

TEST_F(DefaultsCommandTest, MalformedSetIsAUsageError) {
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"defaults", "save", "--set", "NoEquals"},
          std::vector<std::string>{"defaults", "save", "--set"},
          std::vector<std::string>{"defaults", "save", "--set", "=5"},
          std::vector<std::string>{"defaults", "save", "--set", "Opacity=5", "--set", "opacity=6"},
          std::vector<std::string>{"defaults", "save", "View=1"}}) {
        const Outcome run = lumora(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_FALSE(exists(appData));
    }
}

TEST_F(DefaultsCommandTest, ShowRoundTripsWhatSaveWrote) {
    Outcome run = lumora({"defaults", "show"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "no user defaults\n");
    ASSERT_EQ(lumora({"defaults", "save", "--set", "Threshold=42.5"}).status, 0);
    run = lumora({"defaults", "show"});
    EXPECT_EQ(run.status, 0);
    std::string expected;
    for (std::size_t i = 1; i < kBuiltinFile.size(); ++i)
        expected += (i == 6 ? std::string("Threshold=42.500000") : kBuiltinFile[i]) + "\n";
    EXPECT_EQ(run.out, expected);
}

TEST_F(DefaultsCommandTest, ResetRemovesFileAndFolders) {
    ASSERT_EQ(lumora({"defaults", "save"}).status, 0);
    const Outcome run = lumora({"defaults", "reset"});
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(exists(folder / "AppData/NORIK"));
    EXPECT_TRUE(exists(appData));
    EXPECT_EQ(lumora({"defaults", "show"}).out, "no user defaults\n");
}

TEST_F(DefaultsCommandTest, PathTooLongFailsEveryVerb) {
    const ScopedEnv tooLong(lumora::platform::kAppDataDirVariable, folder / std::string(250, 'a'));
    for (const char *verb : {"path", "show", "save", "reset"}) {
        const Outcome run = lumora({"defaults", verb});
        EXPECT_EQ(run.status, 1) << verb;
        EXPECT_NE(run.err.find("259"), std::string::npos) << run.err;
    }
}

TEST_F(DefaultsCommandTest, ParameterSetUpTakesTheSavedDefaults) {
    ASSERT_EQ(lumora({"defaults", "save", "--set", "Glow Radius=25", "--set", "Blend Mode=5"}).status, 0);
    EXPECT_EQ(registered(11, {13, 28}).u.fs_d.dephault, 25.0f);
    EXPECT_EQ(registered(2, {13, 28}).u.pd.dephault, 5);
    EXPECT_EQ(registered(11, {12, 12}).u.fs_d.dephault, 25.0f);
    // After Effects of effect API 12.11 never reads the file.
    EXPECT_EQ(registered(11, {12, 11}).u.fs_d.dephault, 10.0f);
}

TEST_F(DefaultsCommandTest, OpacityThatIsNotANumberRegistersAsTheBuiltInDefault) {
    ASSERT_TRUE(lumora::platform::createFolderTree(folder / "AppData/NORIK/Vantu"));
    writeText(file, "[Version=1.0]\nOpacity=full\nDepth Tint.r=16\n");
    EXPECT_EQ(registered(3, {13, 28}).u.fs_d.dephault, 100.0f);
    const PF_Pixel tint = registered(19, {13, 28}).u.cd.dephault;
    EXPECT_EQ(tint.red, 16);
    EXPECT_EQ(tint.green, 255);
    EXPECT_EQ(tint.blue, 255);
    EXPECT_EQ(tint.alpha, 255);
}

} // namespace

// The module given is the one whose parameters are saved and whose rules judge the entries shown:
// the loader tests' module registers none.
TEST_F(DefaultsCommandTest, ModuleGivenIsTheOneSavedAndJudged) {
    ASSERT_TRUE(lumora::platform::createFolderTree(folder / "AppData/NORIK/Vantu"));
    writeText(file, "[Version=1.0]\nGlow Radius=wide\n");
    const std::string fake = lumora::test::hostPath(EMBEDHOST_FAKE_MODULE);
    const std::string note = "note: 'Glow Radius=wide' is not a plain decimal number; the built-in default is used\n";
    EXPECT_EQ(lumora({"defaults", "show"}).out, "Glow Radius=wide\n" + note);
    EXPECT_EQ(lumora({"defaults", "show", "--module", fake}).out, "Glow Radius=wide\n");

    ASSERT_EQ(lumora({"defaults", "save", "--module", fake}).status, 0);
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "Glow Radius=wide"}));
    const Outcome run = lumora({"defaults", "save", "--module", fake, "--set", "Glow Radius=5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("unknown parameter 'Glow Radius'"), std::string::npos) << run.err;
    EXPECT_NE(lumora({"defaults", "save", "--module", folder / "missing.so"}).status, 0);
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "Glow Radius=wide"}));
}
