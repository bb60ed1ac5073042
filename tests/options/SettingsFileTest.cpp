// The settings file: its path, the section rule, single entries, saving and restoring, with the
// application-data folder redirected into the build tree.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "options/SettingsFile.h"
#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/ShellFolders.h"
#include "tests/support/TestFolders.h"

namespace {

using lumora::test::exists;
using lumora::test::readLines;
using lumora::test::ScopedEnv;
using lumora::test::ScratchFolder;
using lumora::test::writeText;
using Lines = std::vector<std::string>;
namespace platform = lumora::platform;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { AEUtil::setSettingsSection(AEUtil::kSettingsSectionName); }
    void TearDown() override { AEUtil::setSettingsSection(nullptr); }

    std::string path() {
        char buffer[AEUtil::kSettingsPathSize];
        EXPECT_TRUE(AEUtil::settingsFilePath(buffer));
        return buffer;
    }

    ScratchFolder folder{std::string("settings-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string appData = folder / "AppData";
    ScopedEnv redirect{platform::kAppDataDirVariable, appData};
};

#ifdef _WIN32
constexpr const char *kTail = "\\NORIK\\Vantu\\Lumora.ini";
#else
constexpr const char *kTail = "/NORIK/Vantu/Lumora.ini";
#endif

TEST_F(SettingsFileTest, PathIsUnderTheApplicationDataFolder) {
    EXPECT_EQ(path(), appData + kTail);
    EXPECT_EQ(AEUtil::settingsBaseFolder(), appData);
}

TEST_F(SettingsFileTest, PathOf259CharactersFitsAnd260IsRefused) {
    const std::size_t tail = std::char_traits<char>::length(kTail);
    char buffer[AEUtil::kSettingsPathSize];
    {
        const ScopedEnv fits(platform::kAppDataDirVariable, "C" + std::string(259 - tail - 1, 'a'));
        ASSERT_TRUE(AEUtil::settingsFilePath(buffer));
        EXPECT_EQ(std::string(buffer).size(), 259u);
    }
    const ScopedEnv tooLong(platform::kAppDataDirVariable, "C" + std::string(260 - tail - 1, 'a'));
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(AEUtil::settingsFilePath(buffer));
    EXPECT_EQ(buffer[0], '\0'); // nothing half-written for a caller that ignores the result
}

TEST_F(SettingsFileTest, SectionIsCutTo127Characters) {
    AEUtil::setSettingsSection(std::string(200, 's').c_str());
    EXPECT_EQ(std::string(AEUtil::settingsSection()), std::string(127, 's'));
    AEUtil::setSettingsSection(nullptr);
    EXPECT_STREQ(AEUtil::settingsSection(), "");
}

TEST_F(SettingsFileTest, WithoutASectionTheFileIsNotUsed) {
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    writeText(file, "[Version=1.0]\nView=3\n");
    AEUtil::setSettingsSection("");
    EXPECT_EQ(AEUtil::readSettingInt(file.c_str(), "View", 1), 1);
    EXPECT_EQ(AEUtil::readSettingString(file.c_str(), "View", "1"), "1");
    EXPECT_FALSE(AEUtil::writeSetting(file.c_str(), "View", "2"));
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "View=3"}));
    AEUtil::setSettingsSection(AEUtil::kSettingsSectionName);
    EXPECT_EQ(AEUtil::readSettingInt(file.c_str(), "View", 1), 3);
    EXPECT_EQ(AEUtil::readSettingInt(nullptr, "View", 1), 1);
}

TEST_F(SettingsFileTest, MissingFileGivesTheFallbacks) {
    const std::string file = path();
    EXPECT_EQ(AEUtil::readSettingInt(file.c_str(), "Blend Mode", 3), 3);
    EXPECT_EQ(AEUtil::readSettingString(file.c_str(), "Opacity", "100.000000"), "100.000000");
    EXPECT_FALSE(exists(file));
}

TEST_F(SettingsFileTest, OpacityThatIsNotANumberReadsAsZero) {
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    writeText(file, "[Version=1.0]\nOpacity=full\n");
    const std::string text = AEUtil::readSettingString(file.c_str(), "Opacity", "100.000000");
    EXPECT_EQ(text, "full");
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), 0.0); // the conversion registration applies
}

TEST_F(SettingsFileTest, StringsAreCutTo127Characters) {
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    writeText(file, "[Version=1.0]\nLong=" + std::string(300, '7') + "\n");
    EXPECT_EQ(AEUtil::readSettingString(file.c_str(), "Long", "0"), std::string(127, '7'));
    EXPECT_EQ(AEUtil::readSettingString(file.c_str(), "Missing", std::string(300, '5').c_str()), std::string(127, '5'));
}

TEST_F(SettingsFileTest, IntegersAndFloatsAreWrittenInTheirPrintfForms) {
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    EXPECT_TRUE(AEUtil::writeSettingInt(file.c_str(), "Blend Mode", -12));
    EXPECT_TRUE(AEUtil::writeSettingFloat(file.c_str(), "Glow Radius", 12.5));
    EXPECT_TRUE(AEUtil::writeSettingFloat(file.c_str(), "Depth Bias", -0.0000004));
    EXPECT_EQ(readLines(file),
              (Lines{"[Version=1.0]", "Blend Mode=-12", "Glow Radius=12.500000", "Depth Bias=-0.000000"}));
}

TEST_F(SettingsFileTest, FloatTooLongForTheReaderIsNotWritten) {
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    EXPECT_TRUE(AEUtil::writeSettingFloat(file.c_str(), "Largest", 3.4e38)); // any float fits
    EXPECT_FALSE(AEUtil::writeSettingFloat(file.c_str(), "Huge", 1e200));
    EXPECT_EQ(AEUtil::readSettingString(file.c_str(), "Huge", "absent"), "absent");
}

TEST_F(SettingsFileTest, SavingCreatesTheFoldersAndHandsOverThePath) {
    std::string given;
    EXPECT_TRUE(AEUtil::saveUserDefaults([&](const char *file) {
        given = file;
        AEUtil::writeSettingInt(file, "View", 2);
    }));
    EXPECT_EQ(given, path());
    EXPECT_EQ(readLines(given), (Lines{"[Version=1.0]", "View=2"}));
}

TEST_F(SettingsFileTest, SavingWithAPathTooLongCallsNothing) {
    const ScopedEnv tooLong(platform::kAppDataDirVariable, folder / std::string(250, 'a'));
    bool called = false;
    EXPECT_FALSE(AEUtil::saveUserDefaults([&](const char *) { called = true; }));
    EXPECT_FALSE(called);
}

TEST_F(SettingsFileTest, RestoringRemovesTheFileAndTheEmptiedFolders) {
    AEUtil::saveUserDefaults([](const char *file) { AEUtil::writeSettingInt(file, "View", 2); });
    ASSERT_TRUE(exists(path()));
    AEUtil::restoreInitialDefaults();
    EXPECT_FALSE(exists(appData + kTail));
    EXPECT_FALSE(exists(folder / "AppData/NORIK"));
    EXPECT_TRUE(exists(appData)); // the application-data folder itself stays, even when empty
}

TEST_F(SettingsFileTest, RestoringKeepsNorikWhenItHoldsAnotherFolder) {
    AEUtil::saveUserDefaults([](const char *file) { AEUtil::writeSettingInt(file, "View", 2); });
    ASSERT_TRUE(platform::createFolderTree(folder / "AppData/NORIK/OtherProduct"));
    AEUtil::restoreInitialDefaults();
    EXPECT_FALSE(exists(folder / "AppData/NORIK/Vantu"));
    EXPECT_TRUE(exists(folder / "AppData/NORIK/OtherProduct"));
}

TEST_F(SettingsFileTest, RestoringKeepsTheFolderOfAnotherFile) {
    AEUtil::saveUserDefaults([](const char *file) { AEUtil::writeSettingInt(file, "View", 2); });
    writeText(folder / "AppData/NORIK/Vantu/Other.ini", "[x]\n");
    AEUtil::restoreInitialDefaults();
    EXPECT_FALSE(exists(path()));
    EXPECT_TRUE(exists(folder / "AppData/NORIK/Vantu/Other.ini"));
}

TEST_F(SettingsFileTest, RestoringWithoutAFileStillRemovesEmptyFolders) {
    ASSERT_TRUE(platform::createFolderTree(folder / "AppData/NORIK/Vantu"));
    AEUtil::restoreInitialDefaults();
    EXPECT_FALSE(exists(folder / "AppData/NORIK"));
    EXPECT_TRUE(exists(appData));
}

// A locale whose decimal separator is a comma, or null when none is installed.
const char *commaLocale() {
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"})
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',')
            return name;
    return nullptr;
}

TEST_F(SettingsFileTest, DecimalCommaRoundTripsUnderTheSameLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char *locale = commaLocale();
    if (!locale) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed (see scripts/install-deps.sh)";
    }
    const std::string file = path();
    ASSERT_TRUE(AEUtil::prepareSettingsFolder(file.c_str()));
    EXPECT_TRUE(AEUtil::writeSettingFloat(file.c_str(), "Glow Radius", 12.5));
    const std::string text = AEUtil::readSettingString(file.c_str(), "Glow Radius", "10,000000");
    const double value = std::strtod(text.c_str(), nullptr);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, "12,500000") << locale;
    EXPECT_EQ(value, 12.5) << locale;
}

} // namespace
