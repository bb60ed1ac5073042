// Runs the built `lumora` command and checks what it prints, writes and returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/cli/RunLumora.h"
#include "tests/embedhost/pipl/ExpectedPiPL.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch path unique to the running test case.
fs::path scratch(const std::string &suffix) {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::path(LUMORA_TEST_TMPDIR) / (std::string("cli-") + info->name() + "-" + suffix);
}

Result run(const std::vector<std::string> &args) {
    const lumora::test::LumoraRun r = lumora::test::runLumora(args, "cli");
    return {r.status, r.out, r.err};
}

// What `lumora module info` must print for this effect, written out from its documented values.
const char kModuleInfo[] = "kind:           eFKT\n"
                           "name:           Lumora\n"
                           "category:       NORIK\n"
                           "match name:     NORIK GLOW\n"
                           "entry point:    EntryPointFunc\n"
                           "pipl version:   2.0\n"
                           "spec version:   13.27\n"
                           "effect version: 1.1.1 release 13 (560653)\n"
                           "info flags:     0x0000\n"
                           "out flags:      0x06008270\n"
                           "    0x00000010  PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING\n"
                           "    0x00000020  PF_OutFlag_I_DO_DIALOG\n"
                           "    0x00000040  PF_OutFlag_USE_OUTPUT_EXTENT\n"
                           "    0x00000200  PF_OutFlag_I_EXPAND_BUFFER\n"
                           "    0x00008000  PF_OutFlag_CUSTOM_UI\n"
                           "    0x02000000  PF_OutFlag_DEEP_COLOR_AWARE\n"
                           "    0x04000000  PF_OutFlag_SEND_UPDATE_PARAMS_UI\n"
                           "out flags 2:    0x08801499\n"
                           "    0x00000001  PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS\n"
                           "    0x00000008  PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG\n"
                           "    0x00000010  PF_OutFlag2_I_AM_THREADSAFE\n"
                           "    0x00000080  PF_OutFlag2_REVEALS_ZERO_ALPHA\n"
                           "    0x00000400  PF_OutFlag2_SUPPORTS_SMART_RENDER\n"
                           "    0x00001000  PF_OutFlag2_FLOAT_COLOR_AWARE\n"
                           "    0x00800000  PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA\n"
                           "    0x08000000  PF_OutFlag2_SUPPORTS_THREADED_RENDERING\n";

Bytes expectedPiPL() { return {std::begin(lumora::test::kExpectedPiPL), std::end(lumora::test::kExpectedPiPL)}; }

void expectUsageError(const std::vector<std::string> &args, const std::string &message) {
    const Result r = run(args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("lumora: " + message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
}

void expectFailure(const std::vector<std::string> &args, const std::string &message) {
    const Result r = run(args);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
}

TEST(Cli, BuiltinModuleInfo) {
    const Result r = run({"module", "info"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kModuleInfo);
    EXPECT_EQ(r.err, "");
}

TEST(Cli, ModuleFileInfoEqualsBuiltin) {
    const Result r = run({"module", "info", LUMORA_MODULE_PATH});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kModuleInfo);
}

TEST(Cli, CrossBuiltWindowsModuleInfoEqualsBuiltin) {
    if (!fs::exists(LUMORA_WINDOWS_MODULE))
        GTEST_SKIP() << LUMORA_WINDOWS_MODULE << " has not been built";
    const Result r = run({"module", "info", LUMORA_WINDOWS_MODULE});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kModuleInfo);
}

TEST(Cli, RawWritesThePiPLBytes) {
    const fs::path raw = scratch("raw.pipl");
    fs::remove(raw);
    Result r = run({"module", "info", "--raw", raw.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string builtin = slurp(raw);
    EXPECT_EQ(Bytes(builtin.begin(), builtin.end()), expectedPiPL());

    fs::remove(raw);
    r = run({"module", "info", "--raw=" + raw.string(), LUMORA_MODULE_PATH});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string fromFile = slurp(raw);
    EXPECT_EQ(Bytes(fromFile.begin(), fromFile.end()), expectedPiPL());
}

TEST(Cli, VersionAndHelp) {
    Result r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "lumora 1.1.1 (build 13)\n");
    r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("lumora module info [--raw FILE] [MODULE]"), std::string::npos) << r.out;
    r = run({"module", "info", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: lumora module info [--raw FILE] [MODULE]\n", 0), 0u) << r.out;
}

TEST(Cli, UsageErrors) {
    expectUsageError({}, "no command given");
    expectUsageError({"frobnicate"}, "unknown command 'frobnicate'");
    expectUsageError({"module"}, "'module' needs a subcommand: 'module info'");
    expectUsageError({"module", "list"}, "unknown command 'module list'; known: 'module info'");
    expectUsageError({"module", "--raw", "x"}, "'module' needs a subcommand");
    expectUsageError({"--verbose"}, "unknown option '--verbose'");
    expectUsageError({"--version", "extra"}, "unexpected argument 'extra'");
    expectUsageError({"module", "info", "--bogus"}, "unknown option '--bogus'");
    expectUsageError({"module", "info", "a.aex", "b.aex"}, "unexpected argument 'b.aex'");
    expectUsageError({"module", "info", "--raw"}, "option '--raw' needs a value FILE");
    expectUsageError({"module", "info", "--raw="}, "option '--raw' needs a non-empty value");
}

TEST(Cli, UnreadableModulesFailWithoutOutput) {
    expectFailure({"module", "info", scratch("missing.aex").string()}, "cannot open");
    const fs::path text = scratch("text.aex");
    std::ofstream(text) << "not a module\n";
    expectFailure({"module", "info", text.string()}, "not a PE or ELF file");
    expectFailure({"module", "info", LUMORA_TEST_TMPDIR}, "is a directory");
    // A module without the resource: the command itself.
    expectFailure({"module", "info", LUMORA_CLI_PATH}, "no PIPL resource 16000");
}

TEST(Cli, MalformedPiPLWritesNothing) {
    // A copy of the module whose property list claims one property more than it holds.
    std::string image = slurp(LUMORA_MODULE_PATH);
    const std::string pipl(std::begin(lumora::test::kExpectedPiPL), std::end(lumora::test::kExpectedPiPL));
    const auto at = std::search(image.begin(), image.end(), pipl.begin(), pipl.end());
    ASSERT_NE(at, image.end());
    at[6] = 13;
    const fs::path damaged = scratch("damaged.so");
    std::ofstream(damaged, std::ios::binary) << image;

    expectFailure({"module", "info", damaged.string()}, "property 13 of 13 at offset 278");
    const fs::path raw = scratch("raw.pipl");
    fs::remove(raw);
    expectFailure({"module", "info", "--raw", raw.string(), damaged.string()}, "property list");
    EXPECT_FALSE(fs::exists(raw));
}

TEST(Cli, DefaultsSaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
    const fs::path appData = scratch("appdata");
    fs::remove_all(appData);
    setenv("LUMORA_APPDATA_DIR", appData.c_str(), 1);
    const fs::path ini = appData / "NORIK" / "Vantu" / "Lumora.ini";
    ASSERT_EQ(run({"defaults", "save", "--set", "Glow Radius=22", "--set", "View=3"}).status, 0);
    const std::string saved = slurp(ini);
    ASSERT_EQ(run({"defaults", "save", "--set", "Glow Radius=11"}).status, 0);
    const std::string old = slurp(ini);
    for (int ms = 1; ms <= 60; ms += 3) {
        lumora::test::runLumora({"defaults", "save", "--set", "Glow Radius=22", "--set", "View=3"}, "kill", ms,
                                SIGKILL);
        const std::string now = slurp(ini);
        ASSERT_TRUE(now == old || now == saved) << "killed after " << ms << " ms:\n" << now;
        if (now == saved) {
            ASSERT_EQ(run({"defaults", "save", "--set", "Glow Radius=11"}).status, 0);
        }
    }
    // Whatever a killed save left beside the file, the next save clears.
    ASSERT_EQ(run({"defaults", "save"}).status, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(ini.parent_path()), fs::directory_iterator()), 1);
    unsetenv("LUMORA_APPDATA_DIR");
}

TEST(Cli, ModuleInfoReadsRegularFilesOnly) {
    expectFailure({"module", "info", "/dev/zero"}, "/dev/zero: not a regular file");
}

TEST(Cli, UnwritableRawFileFails) {
    const fs::path raw = scratch("no-such-dir") / "raw.pipl";
    expectFailure({"module", "info", "--raw", raw.string()}, "No such file or directory");
    EXPECT_FALSE(fs::exists(raw));
}

} // namespace
