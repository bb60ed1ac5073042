// Lumora.ini as users may edit it: the text model, every value read as the plug-in reads it,
// and an edit, which must leave a file that reads back the value written.
#include <string>

#include "options/StoredValue.h"
#include "platform/ProfileText.h"

using lumora::platform::profile::ProfileText;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    const std::string content(reinterpret_cast<const char *>(bytes), size);
    ProfileText text(content);
    for (const std::string &entry : text.entries("Version=1.0")) {
        const std::string value = entry.substr(entry.find('=') + 1);
        AEUtil::parseStoredInteger(value);
        AEUtil::parseStoredDecimal(value);
        lumora::platform::profile::parseProfileInt(value);
        lumora::platform::profile::unquoteProfileValue(value);
    }
    text.set("Version=1.0", "Glow Radius", "25.000000");
    if (ProfileText(text.content()).value("Version=1.0", "Glow Radius") != std::optional<std::string>("25.000000"))
        __builtin_trap();
    text.removeKey("Version=1.0", "View");
    text.removeSection("Other");
    return 0;
}
