// The portable profile store's own promises, beyond what the system functions show: lines it
// does not concern stay byte for byte, the file's line ends are kept, and the file is replaced
// whole (no temporary left behind, its permissions kept).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Profile.h"
#include "platform/ProfileText.h"
#include "tests/support/TestFolders.h"

namespace {

using lumora::platform::profile::ProfileText;
using lumora::test::readText;
using lumora::test::ScratchFolder;
using lumora::test::writeText;

TEST(ProfileTextTest, UnconcernedLinesStayAsTheyAre) {
    ProfileText text("  ; own layout  \n[A]\n  spaced   =  1  \n\n[B]\nb=2\n");
    ASSERT_TRUE(text.set("A", "spaced", "5"));
    EXPECT_EQ(text.content(), "  ; own layout  \n[A]\nspaced=5\n\n[B]\nb=2\n");
}

TEST(ProfileTextTest, NewKeyGoesBeforeTheBlankLineClosingItsSection) {
    ProfileText text("[A]\na=1\n\n[B]\nb=2\n");
    ASSERT_TRUE(text.set("A", "n", "x"));
    EXPECT_EQ(text.content(), "[A]\na=1\nn=x\n\n[B]\nb=2\n");
}

TEST(ProfileTextTest, NewKeyOfAnEmptySectionFollowsItsHeader) {
    ProfileText text("[A]\n[B]\nb=2\n");
    ASSERT_TRUE(text.set("a", "n", "x"));
    EXPECT_EQ(text.content(), "[A]\nn=x\n[B]\nb=2\n");
}

TEST(ProfileTextTest, WindowsLineEndsAreKept) {
    ProfileText text("[A]\r\na=1\r\n");
    ASSERT_TRUE(text.set("A", "b", "2"));
    ASSERT_TRUE(text.set("C", "c", "3"));
    EXPECT_EQ(text.content(), "[A]\r\na=1\r\nb=2\r\n[C]\r\nc=3\r\n");
}

TEST(ProfileTextTest, LastLineWithoutLineEndGetsOneBeforeAnAppendedSection) {
    ProfileText text("[A]\na=1");
    ASSERT_TRUE(text.set("B", "b", "2"));
    EXPECT_EQ(text.content(), "[A]\na=1\n[B]\nb=2\n");
}

TEST(ProfileTextTest, SettingTheSameValueChangesNothing) {
    ProfileText text("[A]\na=1\n");
    EXPECT_FALSE(text.set("A", "a", "1"));
    EXPECT_FALSE(text.removeKey("A", "zz"));
    EXPECT_FALSE(text.removeSection("Z"));
}

TEST(ProfileTextTest, HeaderWithoutClosingBracketIsNoSection) {
    ProfileText text("[A\nk=1\n[B]\nk=2\n");
    EXPECT_FALSE(text.value("A", "k").has_value());
    EXPECT_EQ(text.value("B", "k"), "2");
}

TEST(ProfileStoreTest, ReplacingKeepsPermissionsAndLeavesNoTemporary) {
    ScratchFolder folder("store-permissions");
    const std::string file = folder / "test.ini";
    writeText(file, "[A]\na=1\n");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(lumora::platform::writeProfileString("A", "a", "2", file.c_str()));
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(readText(file), "[A]\na=2\n");
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ProfileStoreTest, WritersInSeveralProcessesLoseNoEntry) {
    ScratchFolder folder("store-processes");
    const std::string file = folder / "test.ini";
    constexpr int kProcesses = 3;
    constexpr int kKeys = 15;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int k = 0; k < kKeys; ++k) {
                std::string key = "p";
                key.append(std::to_string(p)).append("k").append(std::to_string(k));
                ok = lumora::platform::writeProfileString("Shared", key.c_str(), "1", file.c_str()) && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(lumora::platform::getProfileSection("Shared", file.c_str()).size(), std::size_t{kProcesses * kKeys});
}

TEST(ProfileStoreTest, UnreadableFileIsNeverOverwritten) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file; an unreadable file cannot be made";
    ScratchFolder folder("store-unreadable");
    const std::string file = folder / "test.ini";
    writeText(file, "[A]\na=1\n");
    ASSERT_EQ(chmod(file.c_str(), 0200), 0);
    EXPECT_FALSE(lumora::platform::writeProfileString("A", "b", "2", file.c_str()));
    chmod(file.c_str(), 0600);
    EXPECT_EQ(readText(file), "[A]\na=1\n");
}

} // namespace
