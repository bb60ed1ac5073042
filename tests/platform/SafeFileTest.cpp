// The safe write: whole files or nothing, the old file kept on any failure, links kept links,
// and no temporary left behind.
#include "platform/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/FullDisk.h"

namespace fs = std::filesystem;
using lumora::platform::writeFileSafely;

namespace {

fs::path scratchFolder() {
    const fs::path p = fs::path(LUMORA_TEST_TMPDIR) /
                       ("safefile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

std::string contents(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::size_t entries(const fs::path &folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

#ifndef _WIN32
TEST(SafeFile, WritesAndReplacesKeepingModeAndLinks) {
    const fs::path dir = scratchFolder();
    const fs::path file = dir / "a.txt", link = dir / "link.txt";
    std::string cause;
    ASSERT_TRUE(writeFileSafely(file.string(), "first", cause)) << cause;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("a.txt", link);
    ASSERT_TRUE(writeFileSafely(link.string(), "second", cause)) << cause;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(dir), 2u); // no temporary left
}
#endif

TEST(SafeFile, AMissingFolderFailsAndCreatesNothing) {
    const fs::path dir = scratchFolder();
    std::string cause;
    EXPECT_FALSE(writeFileSafely((dir / "none" / "a.txt").string(), "x", cause));
    EXPECT_NE(cause, "");
    EXPECT_EQ(entries(dir), 0u);
}

TEST(SafeFile, AFullDiskKeepsTheOldFile) {
    const fs::path dir = scratchFolder();
    lumora::test::FullDisk disk((dir / "disk").string(), 64 * 1024);
    LUMORA_NEED_FULL_DISK(disk);
    const fs::path file = dir / "disk" / "kept.bin";
    std::string cause;
    ASSERT_TRUE(writeFileSafely(file.string(), "old", cause)) << cause;
    EXPECT_FALSE(writeFileSafely(file.string(), std::string(256 * 1024, 'n'), cause));
    EXPECT_NE(cause.find("No space"), std::string::npos) << cause;
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(entries(dir / "disk"), 1u);
}

TEST(SafeFile, ConcurrentWritersLeaveOneWholeFile) {
    const fs::path dir = scratchFolder();
    const fs::path file = dir / "shared.bin";
    const std::string a(300000, 'a'), b(200000, 'b');
    auto writer = [&](const std::string &text) {
        std::string cause;
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(writeFileSafely(file.string(), text, cause)) << cause;
    };
    std::thread t1(writer, a), t2(writer, b);
    t1.join();
    t2.join();
    const std::string got = contents(file);
    EXPECT_TRUE(got == a || got == b);
    EXPECT_EQ(entries(dir), 1u);
}
