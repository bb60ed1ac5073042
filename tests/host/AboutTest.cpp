// The About text, with and without Shift held, and the host language behind it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "embedhost/Host.h"
#include "host/kit/HostLanguage.h"
#include "platform/KeyState.h"
#include "tests/host/TestFilter.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace AEUtil;

class AboutTest : public ::testing::Test {
protected:
    void TearDown() override { lumora::platform::overrideShiftKey(std::nullopt); }

    std::string about(bool shift) {
        lumora::platform::overrideShiftKey(shift);
        PF_InData in = host.inData();
        PF_OutData out{};
        EXPECT_EQ(filter.about(&in, &out, nullptr, nullptr), PF_Err_NONE);
        return std::string(out.return_msg, strnlen(out.return_msg, sizeof out.return_msg));
    }

    embedhost::Host host;
    lumora::test::TestFilter filter;
};

TEST_F(AboutTest, WithoutShiftNoBuildNumber) {
    const std::string text = about(false);
    EXPECT_EQ(text, std::string("Lumora 1.1.1 Release\r\r") + kAboutNoticeText);
    EXPECT_EQ(text.find("build:"), std::string::npos);
}

TEST_F(AboutTest, WithShiftTheBuildNumberFollows) {
    const std::string text = about(true);
    EXPECT_EQ(text, std::string("Lumora 1.1.1 Release build:13\r\r") + kAboutNoticeText);
}

TEST_F(AboutTest, FitsTheHostsMessage) {
    EXPECT_LT(about(true).size(), 256u);
    EXPECT_GT(std::string(kAboutNoticeText).size(), 0u);
}

// A stand-in for the host's App suite; its language query reports `g_tag`.
const char *g_tag = "";
PF_Err getLanguage(A_char *tag) {
    std::snprintf(tag, PF_APP_LANG_TAG_SIZE, "%s", g_tag);
    return PF_Err_NONE;
}

class LanguageTest : public ::testing::Test {
protected:
    LanguageTest() { app.PF_AppGetLanguage = getLanguage; }

    int languageWithTag(const char *tag) {
        embedhost::Host host;
        host.suites().add(kPFAppSuite, kPFAppSuiteVersion5, &app);
        g_tag = tag;
        PF_InData in = host.inData();
        const int language = hostLanguage(&in);
        EXPECT_EQ(host.suites().acquired(kPFAppSuite, 7), 1) << "version 7 of the suite";
        EXPECT_EQ(host.suites().outstanding(), 0);
        return language;
    }

    PFAppSuite5 app{};
};

TEST_F(LanguageTest, JapaneseTagInAnyCase) {
    EXPECT_EQ(languageWithTag("ja_JP"), kLanguageJapanese);
    EXPECT_EQ(languageWithTag("JA_JP"), kLanguageJapanese);
    EXPECT_EQ(languageWithTag("Ja_jP"), kLanguageJapanese);
}

TEST_F(LanguageTest, EveryOtherTagIsEnglish) {
    EXPECT_EQ(languageWithTag("en_US"), kLanguageEnglish);
    EXPECT_EQ(languageWithTag("ja"), kLanguageEnglish);
    EXPECT_EQ(languageWithTag("ko_KR"), kLanguageEnglish);
    EXPECT_EQ(languageWithTag(""), kLanguageEnglish);
}

TEST_F(LanguageTest, WithoutTheSuiteTheUserLanguageDecides) {
    embedhost::Host host(embedhost::HostProfile().withhold(kPFAppSuite, kPFAppSuiteVersion5));
    PF_InData in = host.inData(); // a current host: the command line is never consulted
    {
        lumora::test::ScopedEnv language("LUMORA_UI_LANGUAGE", "1041");
        EXPECT_EQ(hostLanguage(&in), kLanguageJapanese);
    }
    {
        lumora::test::ScopedEnv language("LUMORA_UI_LANGUAGE", "1033");
        EXPECT_EQ(hostLanguage(&in), kLanguageEnglish);
    }
    {
        lumora::test::ScopedEnv language("LUMORA_UI_LANGUAGE", "2052");
        EXPECT_EQ(hostLanguage(&in), kLanguageEnglish);
    }
    EXPECT_EQ(host.suites().outstanding(), 0);
}

TEST(LanguageSwitch, EnglishOnlyAfterTheFirstL) {
    using V = std::vector<std::string>;
    EXPECT_TRUE(switchForcesEnglish(V{"AfterFX.exe", "-L", "en_US"}));
    EXPECT_TRUE(switchForcesEnglish(V{"AfterFX.exe", "-l", "EN"}));
    EXPECT_TRUE(switchForcesEnglish(V{"-L", "En-gb"}));
    EXPECT_TRUE(switchForcesEnglish(V{"-L", "en US"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-L", "eng"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-L", "ja_JP"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-L", "_en"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-L"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-Len"}));
    EXPECT_FALSE(switchForcesEnglish(V{"-L", "ja", "-L", "en"})) << "only the first switch counts";
    EXPECT_FALSE(switchForcesEnglish(V{}));
}

TEST(TextTable, LookupFallsBackToTheOtherLanguage) {
    EXPECT_STREQ(lookupText(kTextEffectName, kLanguageJapanese), "Lumora");
    EXPECT_STREQ(lookupText(kTextEffectName, kLanguageEnglish), "Lumora");
    EXPECT_STREQ(lookupText(kTextAboutNotice, kLanguageEnglish), kAboutNoticeText);
    EXPECT_STRNE(lookupText(kTextManualAddress, kLanguageEnglish), "");
    EXPECT_STREQ(lookupText(2, kLanguageJapanese), "") << "no text under key 2";
    EXPECT_STREQ(lookupText(kTextEffectName, 2), "") << "unknown language";
    EXPECT_STREQ(lookupText(kTextEffectName, -1), "");
}

} // namespace
