#include "host/kit/HostLanguage.h"

#include <mutex>

#include "AE_EffectSuites.h"
#include "host/kit/SuiteCache.h"
#include "platform/ProcessArguments.h"
#include "platform/UILanguage.h"

namespace AEUtil {

namespace {

struct TextEntry {
    int key;
    const char *japanese;
    const char *english;
};

// Only the Japanese column is filled; English lookups fall back to it.
constexpr TextEntry kTexts[] = {
    {kTextEffectName, "Lumora", nullptr},
    {kTextAboutNotice, kAboutNoticeText, nullptr},
    {kTextManualAddress, "https://norik.example/lumora/manual/", nullptr},
};

// ASCII only: the user's locale, set by the filter, must not change what a tag or switch means.
bool equalsIgnoringCase(const char *a, const char *b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; *a && *b; ++a, ++b)
        if (lower(*a) != lower(*b))
            return false;
    return *a == *b;
}

bool apiAtMost9_0(const PF_InData *in_data) {
    return in_data->version.major < 9 || (in_data->version.major == 9 && in_data->version.minor == 0);
}

} // namespace

bool switchForcesEnglish(const std::vector<std::string> &arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!equalsIgnoringCase(arguments[i].c_str(), "-L"))
            continue;
        if (i + 1 >= arguments.size())
            return false;
        const std::string &value = arguments[i + 1];
        return equalsIgnoringCase(value.substr(0, value.find_first_of(" _-")).c_str(), "en");
    }
    return false;
}

bool commandLineForcesEnglish(PF_InData *in_data) {
    static std::once_flag once;
    static bool forced = false;
    std::call_once(once, [in_data] {
        if (in_data == nullptr || apiAtMost9_0(in_data))
            forced = switchForcesEnglish(lumora::platform::processArguments());
    });
    return forced;
}

int hostLanguage(PF_InData *in_data) {
    if (in_data != nullptr && in_data->pica_basicP != nullptr) {
        SuiteCache suites(in_data->pica_basicP);
        if (const auto *app = static_cast<const PFAppSuite5 *>(suites.tryAcquire(SuiteId::App5))) {
            // Room beyond the tag's six bytes: a host that writes a longer tag stays in bounds.
            char tag[8] = {};
            app->PF_AppGetLanguage(tag);
            tag[sizeof tag - 1] = '\0';
            return equalsIgnoringCase(tag, "ja_JP") ? kLanguageJapanese : kLanguageEnglish;
        }
    }
    if (commandLineForcesEnglish(in_data))
        return kLanguageEnglish;
    return lumora::platform::userDefaultUILanguage() == lumora::platform::kLanguageJapanese ? kLanguageJapanese
                                                                                            : kLanguageEnglish;
}

const char *lookupText(int key, int language) noexcept {
    if (language != kLanguageJapanese && language != kLanguageEnglish)
        return "";
    for (const TextEntry &entry : kTexts) {
        if (entry.key != key)
            continue;
        const char *wanted = language == kLanguageJapanese ? entry.japanese : entry.english;
        const char *other = language == kLanguageJapanese ? entry.english : entry.japanese;
        return wanted ? wanted : (other ? other : "");
    }
    return "";
}

} // namespace AEUtil
