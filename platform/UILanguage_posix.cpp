#include "platform/Native.h"

#include "platform/Environment.h"
#include "platform/UILanguage.h"

namespace lumora::platform {

unsigned short nativeUserDefaultUILanguage() {
    // The POSIX precedence for the language of messages.
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::optional<std::string> locale = environmentValue(variable);
        if (!locale)
            continue;
        const bool japanese =
            locale->size() >= 2 && (*locale)[0] == 'j' && (*locale)[1] == 'a' &&
            (locale->size() == 2 || (*locale)[2] == '_' || (*locale)[2] == '.' || (*locale)[2] == '@');
        return japanese ? kLanguageJapanese : kLanguageEnglishUS;
    }
    return kLanguageEnglishUS;
}

} // namespace lumora::platform
