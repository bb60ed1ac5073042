// The "-L" switch is evaluated once per module lifetime. Each scenario runs in its own
// program, since the first evaluation in a process decides for all later ones.
#include <gtest/gtest.h>

#include "embedhost/Host.h"
#include "host/kit/HostLanguage.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace AEUtil;
using lumora::test::ScopedEnv;

[[maybe_unused]] embedhost::HostProfile withoutAppSuite(A_short major, A_short minor) {
    embedhost::HostProfile p;
    p.version = PF_SpecVersion{major, minor};
    p.withhold(kPFAppSuite, kPFAppSuiteVersion5);
    return p;
}

#if LUMORA_LANGUAGE_SCENARIO == 1
TEST(LanguageCache, OldHostConsultsTheCommandLineOnce) {
    ScopedEnv japaneseUser("LUMORA_UI_LANGUAGE", "1041");
    embedhost::Host host(withoutAppSuite(9, 0));
    PF_InData in = host.inData();
    {
        ScopedEnv line("LUMORA_COMMAND_LINE", "AfterFX.exe -L en_US");
        EXPECT_EQ(hostLanguage(&in), kLanguageEnglish);
    }
    ScopedEnv line("LUMORA_COMMAND_LINE", "AfterFX.exe -L ja_JP");
    EXPECT_EQ(hostLanguage(&in), kLanguageEnglish) << "the first answer is kept";
    EXPECT_TRUE(commandLineForcesEnglish(nullptr));
}
#elif LUMORA_LANGUAGE_SCENARIO == 2
TEST(LanguageCache, NewerHostNeverConsultsTheCommandLine) {
    ScopedEnv japaneseUser("LUMORA_UI_LANGUAGE", "1041");
    ScopedEnv line("LUMORA_COMMAND_LINE", "AfterFX.exe -L en_US");
    embedhost::Host host(withoutAppSuite(9, 1));
    PF_InData in = host.inData();
    EXPECT_EQ(hostLanguage(&in), kLanguageJapanese);
    EXPECT_FALSE(commandLineForcesEnglish(nullptr)) << "cached from the first call";
}
#elif LUMORA_LANGUAGE_SCENARIO == 3
TEST(LanguageCache, WithoutInDataTheCommandLineIsConsulted) {
    ScopedEnv japaneseUser("LUMORA_UI_LANGUAGE", "1041");
    ScopedEnv line("LUMORA_COMMAND_LINE", "AfterFX.exe -l EN");
    EXPECT_EQ(hostLanguage(nullptr), kLanguageEnglish);
}
#endif

} // namespace
