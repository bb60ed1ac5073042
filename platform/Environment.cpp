#include "platform/Environment.h"

#include <cstdlib>

namespace lumora::platform {

std::optional<std::string> environmentValue(const char *name) {
    // Read through the C run-time so that values put with _putenv / setenv are seen at once.
    const char *value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

} // namespace lumora::platform
