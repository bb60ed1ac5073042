// "PF AE App Suite" as the embedded host offers it: the language tag of the host profile.
#include <gtest/gtest.h>

#include <cstring>

#include "AE_EffectSuites.h"
#include "embedhost/FunctionSlot.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;

namespace {

const PFAppSuite5 *acquire(Host &host) {
    const void *table = nullptr;
    if (host.suites().acquire(kPFAppSuite, kPFAppSuiteVersion5, &table) != kSPNoError)
        return nullptr;
    host.suites().release(kPFAppSuite, kPFAppSuiteVersion5);
    return static_cast<const PFAppSuite5 *>(table);
}

std::string language(Host &host) {
    const PFAppSuite5 *s = acquire(host);
    if (!s)
        return "(none)";
    char tag[8];
    std::memset(tag, '#', sizeof tag);
    EXPECT_EQ(s->PF_AppGetLanguage(tag), PF_Err_NONE);
    EXPECT_TRUE(std::memchr(tag, '\0', PF_APP_LANG_TAG_SIZE)); // ends within the SDK's buffer
    EXPECT_EQ(tag[PF_APP_LANG_TAG_SIZE], '#');                 // and writes nothing beyond it
    return tag;
}

TEST(AppSuite, ReportsTheProfilesLanguage) {
    {
        Host host;
        EXPECT_EQ(language(host), "en_US");
    }
    HostProfile japanese;
    japanese.language = "ja_JP";
    Host host(japanese);
    EXPECT_EQ(language(host), "ja_JP");
}

TEST(AppSuite, ALongerTagIsCutToTheSdksSize) {
    HostProfile profile;
    profile.language = "zh_Hant_TW";
    Host host(profile);
    EXPECT_EQ(language(host), "zh_Ha");
}

TEST(AppSuite, AHostWithoutTheSuiteCannotTellItsLanguage) {
    HostProfile profile;
    profile.withhold(kPFAppSuite, kPFAppSuiteVersion5);
    Host host(profile);
    EXPECT_EQ(language(host), "(none)");
}

TEST(AppSuite, VersionsSixAndSevenAreOfferedNotOne) {
    Host host;
    EXPECT_TRUE(host.suites().offers(kPFAppSuite, kPFAppSuiteVersion4));
    EXPECT_TRUE(host.suites().offers(kPFAppSuite, kPFAppSuiteVersion5));
    const void *table = nullptr;
    EXPECT_EQ(host.suites().acquire(kPFAppSuite, kPFAppSuiteVersion6, &table), kSPSuiteNotFoundError);
}

// Outside an open panel nobody can answer the panel functions.
TEST(AppSuite, ThemeColoursAndNoPanelFunctionsWithoutAPanel) {
    Host host;
    embedhost::HostTheme theme;
    theme.appColors[55] = PF_App_Color{1, 2, 3};
    host.customUi().setTheme(theme);
    const void *table = nullptr;
    ASSERT_EQ(host.suites().acquire(kPFAppSuite, kPFAppSuiteVersion4, &table), kSPNoError);
    const auto *s = static_cast<const PFAppSuite4 *>(table);
    PF_App_Color c{};
    ASSERT_EQ(s->PF_AppGetColor(55, &c), PF_Err_NONE);
    EXPECT_EQ(c.blue, 3);
    const PF_PixelFloat sample{};
    PF_PixelFloat picked{};
    EXPECT_EQ(s->PF_AppColorPickerDialog("t", &sample, 0, &picked), PF_Err_INVALID_CALLBACK);
    const PF_Point local{1, 1};
    PF_Point global{};
    EXPECT_EQ(s->PF_ConvertLocalToGlobal(&local, &global), PF_Err_BAD_CALLBACK_PARAM);
    host.suites().release(kPFAppSuite, kPFAppSuiteVersion4);
}

TEST(AppSuite, RenderEngineAndBackgroundFromTheProfileOtherFunctionsNotOffered) {
    HostProfile profile;
    profile.renderEngine = true;
    profile.appBackground = {1, 2, 3};
    Host host(profile);
    const PFAppSuite5 *s = acquire(host);
    ASSERT_NE(s, nullptr);
    PF_Boolean engine = 0;
    ASSERT_EQ(s->PF_IsRenderEngine(&engine), PF_Err_NONE);
    EXPECT_TRUE(engine);
    PF_App_Color bg{};
    ASSERT_EQ(s->PF_AppGetBgColor(&bg), PF_Err_NONE);
    EXPECT_EQ(bg.green, 2);
    PF_App_Color c{};
    EXPECT_EQ(s->PF_AppGetColor(0, &c), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(embedhost::slotAs<PF_Err (*)()>(s->PF_GetMouse)(), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(host.interaction().unsupportedCalls("PF_AppGetColor"), 1);
    EXPECT_EQ(host.interaction().unsupportedCalls("PF_GetMouse"), 1);
}

} // namespace
