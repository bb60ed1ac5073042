// Reading the property list out of the real built modules, and refusing files that are not
// modules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"
#include "tests/embedhost/pipl/ExpectedPiPL.h"
#include "tests/support/HostPath.h"

namespace {

using lumora::pipl::FormatError;
using lumora::test::hostPath;
using Bytes = std::vector<unsigned char>;

Bytes expected() { return {std::begin(lumora::test::kExpectedPiPL), std::end(lumora::test::kExpectedPiPL)}; }

std::string errorOf(const std::string &path) {
    try {
        lumora::pipl::readModulePiPL(path);
    } catch (const std::exception &e) {
        return e.what();
    }
    return "(no error)";
}

std::string tempFile(const char *name, const std::string &contents) {
    const std::string path = hostPath(LUMORA_TEST_TMPDIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

TEST(ModuleFile, BuiltModuleCarriesTheExpectedPiPL) {
    const std::string path = hostPath(LUMORA_MODULE_PATH);
    const Bytes image = lumora::pipl::readFileBytes(path);
#ifdef _WIN32
    EXPECT_EQ(lumora::pipl::detectModuleFormat(image), lumora::pipl::ModuleFormat::PE);
#else
    EXPECT_EQ(lumora::pipl::detectModuleFormat(image), lumora::pipl::ModuleFormat::ELF);
#endif
    EXPECT_EQ(lumora::pipl::readModulePiPL(path), expected());
}

#ifdef _WIN32
TEST(ModuleFile, LoadedModuleResourceMatchesTheFile) {
    HMODULE module = LoadLibraryA(hostPath(LUMORA_MODULE_PATH).c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed: " << GetLastError();
    EXPECT_EQ(lumora::pipl::piplFromLoadedModule(module), expected());
    FreeLibrary(module);
}

TEST(ModuleFile, ModuleWithoutPiPLIsRefusedWhenLoaded) {
    EXPECT_THROW(lumora::pipl::piplFromLoadedModule(GetModuleHandleA(nullptr)), FormatError);
}
#else
// The cross-built Windows module, when a Windows build sits beside this one.
TEST(ModuleFile, CrossBuiltWindowsModuleCarriesTheExpectedPiPL) {
    const std::string path = LUMORA_WINDOWS_MODULE;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " has not been built";
    EXPECT_EQ(lumora::pipl::readModulePiPL(path), expected());
}
#endif

TEST(ModuleFile, TestProgramItselfHasNoPiPL) {
    // This program is a module of the same format without the resource.
    const std::string error = errorOf(hostPath(LUMORA_SELF_PATH));
    EXPECT_NE(error.find("no PIPL resource 16000"), std::string::npos) << error;
}

TEST(ModuleFile, NonModulesAreRefused) {
    const std::string text = tempFile("not-a-module.txt", "just some text\n");
    EXPECT_NE(errorOf(text).find("not a PE or ELF file"), std::string::npos) << errorOf(text);
    const std::string empty = tempFile("empty.bin", "");
    EXPECT_NE(errorOf(empty).find("not a PE or ELF file"), std::string::npos) << errorOf(empty);
    const std::string missing = hostPath(LUMORA_TEST_TMPDIR) + "/no-such-module.aex";
    EXPECT_NE(errorOf(missing).find("cannot open"), std::string::npos) << errorOf(missing);
    EXPECT_NE(errorOf(hostPath(LUMORA_TEST_TMPDIR)).find("directory"), std::string::npos);
}

TEST(ModuleFile, FileErrorsNameTheFile) {
    const std::string truncated = tempFile("truncated.so", std::string("\x7f"
                                                                       "ELF\x02\x01",
                                                                       6));
    const std::string error = errorOf(truncated);
    EXPECT_NE(error.find("truncated.so: ELF file"), std::string::npos) << error;
}

} // namespace
