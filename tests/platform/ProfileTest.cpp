// The profile functions as the settings file uses them. On Windows these are the system's own,
// so every expectation here also holds for GetPrivateProfile*/WritePrivateProfileStringA.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/Profile.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace lumora::platform;
using lumora::test::readLines;
using lumora::test::ScratchFolder;
using lumora::test::writeText;
using Lines = std::vector<std::string>;

std::string readString(const std::string &file, const char *section, const char *key, const char *fallback,
                       std::size_t size = 256, std::size_t *count = nullptr) {
    std::vector<char> buffer(size + 1, 'X');
    const std::size_t copied = getProfileString(section, key, fallback, buffer.data(), size, file.c_str());
    if (count)
        *count = copied;
    return buffer.data();
}

// Built piecewise: GCC 12 misreports "literal" + std::string as an overlapping copy.
std::string keyName(int thread, int key) {
    std::string name = "t";
    name.append(std::to_string(thread)).append("k").append(std::to_string(key));
    return name;
}

class ProfileTest : public ::testing::Test {
protected:
    ScratchFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string file = folder / "test.ini";
};

TEST_F(ProfileTest, MissingFileGivesTheFallbacks) {
    EXPECT_EQ(getProfileInt("S", "k", 17, file.c_str()), 17);
    EXPECT_EQ(getProfileInt("S", "k", -3, file.c_str()), -3);
    EXPECT_EQ(readString(file, "S", "k", "fallback"), "fallback");
    EXPECT_EQ(readString(file, "S", "k", nullptr), "");
    EXPECT_FALSE(lumora::test::exists(file));
}

TEST_F(ProfileTest, FallbackLosesItsTrailingBlanks) {
    std::size_t count = 0;
    EXPECT_EQ(readString(file, "S", "k", "  two words  ", 256, &count), "  two words");
    EXPECT_EQ(count, 11u);
}

TEST_F(ProfileTest, SectionAndKeyIgnoreLetterCase) {
    writeText(file, "[Version=1.0]\nBlend Mode=7\n");
    EXPECT_EQ(getProfileInt("version=1.0", "BLEND MODE", 1, file.c_str()), 7);
    EXPECT_EQ(getProfileInt("VERSION=1.0", "blend mode", 1, file.c_str()), 7);
    EXPECT_EQ(readString(file, "Version=1.0", "bLEND mODE", "x"), "7");
}

TEST_F(ProfileTest, MissingSectionOrKeyGivesTheFallback) {
    writeText(file, "[Version=1.0]\nView=2\n[Other]\nDepth=4\n");
    EXPECT_EQ(getProfileInt("Version=1.0", "Depth", 9, file.c_str()), 9); // only in another section
    EXPECT_EQ(getProfileInt("Version=2.0", "View", 9, file.c_str()), 9);
    EXPECT_EQ(readString(file, "Version=1.0", "Opacity", "100.000000"), "100.000000");
}

TEST_F(ProfileTest, IntegersFollowTheSystemsDigitRule) {
    writeText(file, "[N]\nlead=42abc\nneg=-7\nplus=+5\nword=abc\nspaced=   12\nhex=0x1F\nupperhex=0X10\n"
                    "wrap=4294967297\nneghex=-0x10\nquoted=\"8\"\nempty=\nfloat=60.000000\n");
    const auto at = [&](const char *key) { return getProfileInt("N", key, 99, file.c_str()); };
    EXPECT_EQ(at("lead"), 42);
    EXPECT_EQ(at("neg"), -7);
    EXPECT_EQ(at("plus"), 5);
    EXPECT_EQ(at("word"), 0); // present but not a number
    EXPECT_EQ(at("spaced"), 12);
    EXPECT_EQ(at("hex"), 31);
    EXPECT_EQ(at("upperhex"), 0); // only "0x" selects base 16
    EXPECT_EQ(at("wrap"), 1);     // 2^32 + 1
    EXPECT_EQ(at("neghex"), -16);
    EXPECT_EQ(at("quoted"), 8);
    EXPECT_EQ(at("empty"), 99); // an empty value counts as missing
    EXPECT_EQ(at("float"), 60);
}

TEST_F(ProfileTest, StringsLoseSurroundingBlanksAndOnePairOfQuotes) {
    writeText(file, "[T]\n  spaced  =  some words  \ndq=\"quoted\"\nsq='single'\nmixed=\"mis'\n"
                    "inline=a ;not a comment\nempty=\n");
    EXPECT_EQ(readString(file, "T", "spaced", "x"), "some words");
    EXPECT_EQ(readString(file, "T", "dq", "x"), "quoted");
    EXPECT_EQ(readString(file, "T", "sq", "x"), "single");
    EXPECT_EQ(readString(file, "T", "mixed", "x"), "\"mis'");
    EXPECT_EQ(readString(file, "T", "inline", "x"), "a ;not a comment");
    EXPECT_EQ(readString(file, "T", "empty", "x"), ""); // present: not the fallback
}

TEST_F(ProfileTest, LinesWithoutEqualsAreNoEntriesAndSemicolonsStartNoComment) {
    // The system functions have no comment syntax: ";k=1" is the entry ";k".
    writeText(file, "[T]\n;k=1\nbare\n#h=2\n");
    EXPECT_EQ(readString(file, "T", ";k", "none"), "1");
    EXPECT_EQ(readString(file, "T", "#h", "none"), "2");
    EXPECT_EQ(readString(file, "T", "bare", "none"), "none");
}

TEST_F(ProfileTest, LongValuesAreCutToTheBuffer) {
    writeText(file, "[T]\nlong=abcdefghij\n");
    std::size_t count = 0;
    EXPECT_EQ(readString(file, "T", "long", "x", 5, &count), "abcd");
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(readString(file, "T", "long", "x", 1, &count), "");
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(readString(file, "T", "missing", "abcdef", 4, &count), "abc");
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(readString(file, "T", "long", "x", 11, &count), "abcdefghij");
    EXPECT_EQ(count, 10u);
}

TEST_F(ProfileTest, OnlyTheFirstOfRepeatedSectionsAndKeysCounts) {
    writeText(file, "[A]\ndup=first\ndup=second\n[B]\nx=1\n[a]\ndup=third\nlater=here\n");
    EXPECT_EQ(readString(file, "A", "dup", "x"), "first");
    EXPECT_EQ(readString(file, "A", "later", "none"), "none");
}

TEST_F(ProfileTest, WritingCreatesFileSectionAndKey) {
    ASSERT_TRUE(writeProfileString("Version=1.0", "View", "1", file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "View=1"}));
    ASSERT_TRUE(writeProfileString("Version=1.0", "Blend Mode", "3", file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[Version=1.0]", "View=1", "Blend Mode=3"}));
}

TEST_F(ProfileTest, OverwritingKeepsEveryOtherLineAndTheFilesSpelling) {
    writeText(file, "; user defaults\n[First]\nkeep=1\n[Version=1.0]\nView=1\nBlend Mode=3\n[Last]\nz=9\n");
    ASSERT_TRUE(writeProfileString("version=1.0", "VIEW", "2", file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"; user defaults", "[First]", "keep=1", "[Version=1.0]", "View=2", "Blend Mode=3",
                                      "[Last]", "z=9"}));
    EXPECT_EQ(getProfileInt("Version=1.0", "View", 0, file.c_str()), 2);
}

TEST_F(ProfileTest, NewKeyJoinsTheEndOfItsSectionAndNewSectionTheEndOfTheFile) {
    writeText(file, "[A]\na=1\n[B]\nb=1\n");
    ASSERT_TRUE(writeProfileString("A", "new", "n", file.c_str()));
    ASSERT_TRUE(writeProfileString("C", "c", "3", file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[A]", "a=1", "new=n", "[B]", "b=1", "[C]", "c=3"}));
}

TEST_F(ProfileTest, NullValueDeletesTheKeyAndNullKeyTheSection) {
    writeText(file, "[A]\na=1\nb=2\n[B]\nx=1\n[C]\nc=3\n");
    ASSERT_TRUE(writeProfileString("A", "a", nullptr, file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[A]", "b=2", "[B]", "x=1", "[C]", "c=3"}));
    ASSERT_TRUE(writeProfileString("b", nullptr, nullptr, file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[A]", "b=2", "[C]", "c=3"}));
    EXPECT_TRUE(writeProfileString("A", "never there", nullptr, file.c_str()));
    EXPECT_EQ(readLines(file), (Lines{"[A]", "b=2", "[C]", "c=3"}));
}

TEST_F(ProfileTest, DeletingFromAMissingFileSucceedsWithoutCreatingIt) {
    EXPECT_TRUE(writeProfileString("A", "a", nullptr, file.c_str()));
    EXPECT_FALSE(lumora::test::exists(file));
}

TEST_F(ProfileTest, WritingIntoAMissingFolderFailsAndCreatesNothing) {
    const std::string inMissing = folder / "no-such-folder/test.ini";
    EXPECT_FALSE(writeProfileString("A", "a", "1", inMissing.c_str()));
    EXPECT_FALSE(lumora::test::exists(folder / "no-such-folder"));
}

TEST_F(ProfileTest, SectionListsItsEntriesInFileOrder) {
    writeText(file, "[A]\nfirst=1\n; note\nsecond=two words\n[B]\nother=3\n");
    EXPECT_EQ(getProfileSection("a", file.c_str()), (Lines{"first=1", "second=two words"}));
    EXPECT_TRUE(getProfileSection("Missing", file.c_str()).empty());
}

TEST_F(ProfileTest, WritersOnSeveralThreadsLoseNoEntry) {
    constexpr int kThreads = 4;
    constexpr int kKeys = 20;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t)
        writers.emplace_back([&, t] {
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = keyName(t, k);
                writeProfileString("Shared", key.c_str(), std::to_string(t * 100 + k).c_str(), file.c_str());
            }
        });
    for (std::thread &writer : writers)
        writer.join();
    for (int t = 0; t < kThreads; ++t)
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = keyName(t, k);
            EXPECT_EQ(getProfileInt("Shared", key.c_str(), -1, file.c_str()), t * 100 + k) << key;
        }
    EXPECT_EQ(getProfileSection("Shared", file.c_str()).size(), std::size_t{kThreads * kKeys});
}

} // namespace
