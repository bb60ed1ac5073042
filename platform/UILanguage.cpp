#include "platform/UILanguage.h"

#include <cstdlib>

#include "platform/Environment.h"
#include "platform/Native.h"

namespace lumora::platform {

unsigned short userDefaultUILanguage() {
    if (std::optional<std::string> value = environmentValue(kUILanguageVariable)) {
        char *end = nullptr;
        const unsigned long id = std::strtoul(value->c_str(), &end, 0);
        // An id is 16 bits; anything else in the variable is a mistake and is ignored.
        if (*end == '\0' && id > 0 && id <= 0xFFFF)
            return static_cast<unsigned short>(id);
    }
    return nativeUserDefaultUILanguage();
}

} // namespace lumora::platform
