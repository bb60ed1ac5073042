// The platform services under the settings file: special folders with their overrides, folder
// creation and upward removal, the Shift state, the UI language and the process's arguments.
#include <gtest/gtest.h>

#include <string>

#include "platform/Environment.h"
#include "platform/Folders.h"
#include "platform/KeyState.h"
#include "platform/ProcessArguments.h"
#include "platform/ShellFolders.h"
#include "platform/UILanguage.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace lumora::platform;
using lumora::test::exists;
using lumora::test::ScopedEnv;
using lumora::test::ScratchFolder;
using lumora::test::writeText;

TEST(ShellFoldersTest, OverridesReplaceTheSystemsFolders) {
    ScratchFolder folder("special-folders");
    const ScopedEnv appData(kAppDataDirVariable, folder / "roaming");
    const ScopedEnv shared(kSharedDocumentsDirVariable, folder / "public");
    EXPECT_EQ(applicationDataFolder(), folder / "roaming");
    EXPECT_EQ(sharedDocumentsFolder(), folder / "public");
}

TEST(ShellFoldersTest, TrailingSeparatorsOfAnOverrideAreDropped) {
    ScratchFolder folder("special-trailing");
    const std::string sep(1, kPathSeparator);
    const ScopedEnv appData(kAppDataDirVariable, folder.path() + sep + sep);
    EXPECT_EQ(applicationDataFolder(), folder.path());
}

TEST(ShellFoldersTest, EmptyOverrideCountsAsUnset) {
    const ScopedEnv empty(kAppDataDirVariable, std::string());
    const std::string folder = applicationDataFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_EQ(folder.find("LUMORA"), std::string::npos);
#ifndef _WIN32
    {
        const ScopedEnv config("XDG_CONFIG_HOME", std::string("/somewhere/config/"));
        EXPECT_EQ(applicationDataFolder(), "/somewhere/config");
    }
    {
        const ScopedEnv relative("XDG_CONFIG_HOME", std::string("relative/config"));
        const ScopedEnv home("HOME", std::string("/home/someone"));
        EXPECT_EQ(applicationDataFolder(), "/home/someone/.config");
    }
    EXPECT_EQ(sharedDocumentsFolder(), "/var/lib/lumora");
#endif
}

TEST(FoldersTest, CreatesEveryMissingParent) {
    ScratchFolder folder("create-tree");
    const std::string deep = folder / "a/b/c";
    EXPECT_TRUE(createFolderTree(deep));
    EXPECT_TRUE(exists(deep));
    EXPECT_TRUE(createFolderTree(deep)); // already there
}

TEST(FoldersTest, FileInTheWayIsNoFolder) {
    ScratchFolder folder("create-blocked");
    writeText(folder / "file", "x");
    EXPECT_FALSE(createFolderTree(folder / "file"));
    EXPECT_FALSE(createFolderTree(folder / "file/below"));
}

TEST(FoldersTest, DeleteFileRefusesFoldersAndMissingFiles) {
    ScratchFolder folder("delete-file");
    writeText(folder / "file", "x");
    EXPECT_TRUE(deleteFile(folder / "file"));
    EXPECT_FALSE(exists(folder / "file"));
    EXPECT_FALSE(deleteFile(folder / "file"));
    EXPECT_FALSE(deleteFile(folder.path()));
    EXPECT_TRUE(exists(folder.path()));
}

TEST(FoldersTest, ParentIsTheTextBeforeTheLastSeparator) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(parentFolder("a" + sep + "b" + sep + "c.ini"), "a" + sep + "b");
    EXPECT_EQ(parentFolder("name"), "");
}

TEST(FoldersTest, UpwardRemovalStopsAtTheStopFolder) {
    ScratchFolder folder("upward-stop");
    ASSERT_TRUE(createFolderTree(folder / "base/x/y"));
    removeFoldersUpward(folder / "base/x/y", folder / "base");
    EXPECT_FALSE(exists(folder / "base/x"));
    EXPECT_TRUE(exists(folder / "base")); // empty, but it is the stop folder
}

TEST(FoldersTest, UpwardRemovalStopsAtTheFirstFolderThatIsNotEmpty) {
    ScratchFolder folder("upward-busy");
    ASSERT_TRUE(createFolderTree(folder / "base/x/y/z"));
    ASSERT_TRUE(createFolderTree(folder / "base/x/sibling"));
    removeFoldersUpward(folder / "base/x/y/z", folder / "base");
    EXPECT_FALSE(exists(folder / "base/x/y"));
    EXPECT_TRUE(exists(folder / "base/x/sibling"));
}

TEST(FoldersTest, StopFolderIsComparedAsText) {
    ScratchFolder folder("upward-text");
    ASSERT_TRUE(createFolderTree(folder / "base/x"));
    writeText(folder / "marker", "keeps the scratch folder");
    const std::string sep(1, kPathSeparator);
    // The same folder spelled with a trailing separator is another text: the walk goes past it
    // and stops only where a removal fails.
    removeFoldersUpward(folder / "base/x", folder / "base" + sep);
    EXPECT_FALSE(exists(folder / "base"));
    EXPECT_TRUE(exists(folder.path()));
}

TEST(KeyStateTest, OverrideComesBeforeTheEnvironment) {
    const ScopedEnv held(kShiftHeldVariable, std::string("1"));
    EXPECT_TRUE(shiftKeyHeld());
    overrideShiftKey(false);
    EXPECT_FALSE(shiftKeyHeld());
    overrideShiftKey(std::nullopt);
    EXPECT_TRUE(shiftKeyHeld());
    const ScopedEnv released(kShiftHeldVariable, std::string("0"));
    EXPECT_FALSE(shiftKeyHeld());
}

TEST(KeyStateTest, NoKeyIsHeldInATestRun) {
    const ScopedEnv unset(kShiftHeldVariable, std::nullopt);
    EXPECT_FALSE(shiftKeyHeld());
}

TEST(UILanguageTest, OverrideTakesDecimalOrHexIds) {
    {
        const ScopedEnv language(kUILanguageVariable, std::string("1041"));
        EXPECT_EQ(userDefaultUILanguage(), kLanguageJapanese);
    }
    {
        const ScopedEnv language(kUILanguageVariable, std::string("0x0409"));
        EXPECT_EQ(userDefaultUILanguage(), kLanguageEnglishUS);
    }
    const ScopedEnv unset(kUILanguageVariable, std::nullopt);
    const unsigned short system = userDefaultUILanguage();
    const ScopedEnv junk(kUILanguageVariable, std::string("1041x"));
    EXPECT_EQ(userDefaultUILanguage(), system);
}

#ifndef _WIN32
TEST(UILanguageTest, LocaleVariablesNameTheLanguageInPosixOrder) {
    const ScopedEnv unset(kUILanguageVariable, std::nullopt);
    const ScopedEnv all("LC_ALL", std::nullopt);
    const ScopedEnv messages("LC_MESSAGES", std::nullopt);
    {
        const ScopedEnv lang("LANG", std::string("ja_JP.UTF-8"));
        EXPECT_EQ(userDefaultUILanguage(), kLanguageJapanese);
        const ScopedEnv over("LC_MESSAGES", std::string("en_GB.UTF-8"));
        EXPECT_EQ(userDefaultUILanguage(), kLanguageEnglishUS);
        const ScopedEnv top("LC_ALL", std::string("ja"));
        EXPECT_EQ(userDefaultUILanguage(), kLanguageJapanese);
    }
    const ScopedEnv notJapanese("LANG", std::string("jam_JM")); // Jamaican Patois
    EXPECT_EQ(userDefaultUILanguage(), kLanguageEnglishUS);
    const ScopedEnv none("LANG", std::nullopt);
    EXPECT_EQ(userDefaultUILanguage(), kLanguageEnglishUS);
}
#endif

TEST(ProcessArgumentsTest, FirstArgumentIsThisProgram) {
    const ScopedEnv unset(kCommandLineVariable, std::nullopt);
    const std::vector<std::string> arguments = processArguments();
    ASSERT_FALSE(arguments.empty());
    EXPECT_NE(arguments[0].find("platform_tests"), std::string::npos) << arguments[0];
}

TEST(ProcessArgumentsTest, OverrideIsSplitAtBlanks) {
    const ScopedEnv line(kCommandLineVariable, std::string("  AfterFX.exe -L\ten_US   -x "));
    EXPECT_EQ(processArguments(), (std::vector<std::string>{"AfterFX.exe", "-L", "en_US", "-x"}));
}

} // namespace
