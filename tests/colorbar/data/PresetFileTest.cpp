// The gradient preset file: its path, reading sections and colour lines as the colour bar does,
// and writing them back in the same text format.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "colorbar/data/PresetFile.h"
#include "platform/ShellFolders.h"

namespace {

using namespace AEUtil;
namespace fs = std::filesystem;

// The build tree's scratch folder as the program names it ("Z:\\..." under wine).
std::string scratchRoot() {
    std::string path = LUMORA_TEST_TMPDIR;
#ifdef _WIN32
    if (!path.empty() && path[0] == '/')
        path = "Z:" + fs::path(path).make_preferred().string();
#endif
    return path;
}

void setSharedFolder(const char *value) {
#ifdef _WIN32
    _putenv_s("LUMORA_SHARED_DOCUMENTS_DIR", value ? value : "");
#else
    if (value)
        setenv("LUMORA_SHARED_DOCUMENTS_DIR", value, 1);
    else
        unsetenv("LUMORA_SHARED_DOCUMENTS_DIR");
#endif
}

fs::path scratch(const std::string &name) {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder = fs::path(scratchRoot()) / (std::string("presets-") + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder / name;
}

std::vector<PresetRecord> readText(const std::string &text) {
    const fs::path path = scratch("in.col");
    std::ofstream(path, std::ios::binary) << text;
    return readPresetFile(path.string().c_str());
}

// The file's text with the platform's line ends read as "\n", as text-mode reading does.
std::string slurp(const fs::path &path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectFlag(const ColorFlag &f, int r, int g, int b, float position) {
    EXPECT_EQ(f.alpha, 255);
    EXPECT_EQ(f.red, r);
    EXPECT_EQ(f.green, g);
    EXPECT_EQ(f.blue, b);
    EXPECT_EQ(f.position, position);
}

const char kSoft[] = "[Soft]\n"
                     "color = (255, 255, 255), 0.0000000\n"
                     "color = ( 50, 248, 255), 0.5000000\n"
                     "color = (  0,  24, 255), 1.0000000\n"
                     "\n";

TEST(PresetFileRead, TheDefaultGradientUnderItsName) {
    const std::vector<PresetRecord> p = readText(kSoft);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_STREQ(p[0].name, "Soft");
    EXPECT_EQ(p[0].header, 0);
    ASSERT_EQ(p[0].list.count, 3);
    EXPECT_EQ(p[0].list.flags, kColorFlagListSorted);
    expectFlag(p[0].list.flag[0], 255, 255, 255, 0.0f);
    expectFlag(p[0].list.flag[1], 50, 248, 255, 0.5f);
    expectFlag(p[0].list.flag[2], 0, 24, 255, 1.0f);
    EXPECT_EQ(p[0].list.flag[2].id, 2);
    EXPECT_EQ(p[0].list.flag[3].id, -1);
}

TEST(PresetFileRead, LinesAreCheckedOneByOne) {
    const std::vector<PresetRecord> p = readText("color = (1, 2, 3), 0.5\n" // before any section: dropped
                                                 "[Broken\n"                // no "]": ignored
                                                 "  \t[A]b]  \n"            // name up to the last "]"
                                                 "color = (300, -1, 20), 0.5\n"
                                                 "color = (1, 2, 3), 1.5\n" // off the bar
                                                 "color = (1, 2, 3), -0.25\n"
                                                 "color = (1, 2), 0.5\n"     // three numbers only
                                                 "colour = (9, 9, 9), 0.1\n" // "colou" is not "color": ignored
                                                 "something else\n"
                                                 "\tcolor=(7,8,9),0.25\n"
                                                 "[Empty]\n"
                                                 "color = (1, 2, 3), 2\n");
    ASSERT_EQ(p.size(), 2u);
    EXPECT_STREQ(p[0].name, "A]b");
    ASSERT_EQ(p[0].list.count, 2);
    // Sorted by position after reading; numbers keep their low byte.
    expectFlag(p[0].list.flag[0], 7, 8, 9, 0.25f);
    expectFlag(p[0].list.flag[1], 44, 255, 20, 0.5f);
    EXPECT_STREQ(p[1].name, "Empty");
    EXPECT_EQ(p[1].list.count, 0);
}

TEST(PresetFileRead, AtMostThirtyTwoFlagsAndMissingFiles) {
    std::string text = "[Many]\n";
    for (int i = 0; i < 40; ++i)
        text += "color = (" + std::to_string(i) + ", 0, 0), 0.5\n";
    const std::vector<PresetRecord> p = readText(text);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].list.count, 32);
    EXPECT_EQ(p[0].list.flag[31].red, 31);
    EXPECT_TRUE(readPresetFile((scratch("x") / "absent.col").string().c_str()).empty());
    EXPECT_TRUE(readPresetFile(nullptr).empty());
}

TEST(PresetFileWrite, SectionsInTheColorBarFormat) {
    std::vector<PresetRecord> p = readText(kSoft);
    p.push_back(p[0]);
    std::snprintf(p[1].name, sizeof p[1].name, "Two");
    p[1].list.count = 2;
    p[1].list.flag[0].position = 1.0f; // out of order: written sorted
    p[1].list.flag[1].position = 0.125f;
    const fs::path path = scratch("sub") / "dir" / "out.col";
    ASSERT_TRUE(writePresetFile(path.string().c_str(), p));
    EXPECT_EQ(slurp(path), "[Soft]\n"
                           "color = (255, 255, 255), 0.0000000\n"
                           "color = ( 50, 248, 255), 0.5000000\n"
                           "color = (  0,  24, 255), 1.0000000\n"
                           "\n\n"
                           "[Two]\n"
                           "color = ( 50, 248, 255), 0.1250000\n"
                           "color = (255, 255, 255), 1.0000000\n"
                           "\n");
    const std::vector<PresetRecord> back = readPresetFile(path.string().c_str());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].list.count, 2);
    expectFlag(back[1].list.flag[0], 50, 248, 255, 0.125f);

    EXPECT_TRUE(writePresetFile(path.string().c_str(), {}));
    EXPECT_EQ(slurp(path), "");
    EXPECT_FALSE(writePresetFile("", p));
}

TEST(PresetFileFind, FirstOfTheNameByteForByte) {
    std::vector<PresetRecord> p = readText("[a]\ncolor = (1, 1, 1), 0\n[b]\n[a]\n");
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(findPreset(p, "a"), &p[0]);
    EXPECT_EQ(findPreset(p, "b"), &p[1]);
    EXPECT_EQ(findPreset(p, "A"), nullptr);
    EXPECT_EQ(findPreset(p, nullptr), nullptr);
}

TEST(PresetFilePath, UnderTheSharedDocumentsFolder) {
    const std::string shared = scratch("shared").string();
    setSharedFolder(shared.c_str());
    char path[kPresetPathSize];
    ASSERT_TRUE(presetFilePath("LumoraColorSet.col", path));
    const char sep = lumora::platform::kPathSeparator;
    EXPECT_EQ(std::string(path), shared + sep + "NORIK" + sep + "Vantu" + sep + "LumoraColorSet.col");
    const std::string tooLong(250, 'x');
    EXPECT_FALSE(presetFilePath(tooLong.c_str(), path));
    EXPECT_STREQ(path, "");
    setSharedFolder(nullptr);
}

} // namespace
