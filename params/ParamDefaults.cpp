#include "params/ParamDefaults.h"

#include <cstdio>
#include <cstdlib>

#include "options/SettingsFile.h"

namespace AEUtil {

int readDefaultInt(const char *settingsPath, const char *key, int fallback) {
    if (settingsPath == nullptr)
        return fallback;
    return readSettingInt(settingsPath, key, fallback);
}

void writeDefaultInt(const char *settingsPath, const char *key, int value) {
    if (settingsPath != nullptr)
        writeSettingInt(settingsPath, key, value);
}

double readDefaultFloat(const char *settingsPath, const char *key, double fallback) {
    if (settingsPath == nullptr)
        return fallback;
    // The text round trip uses the user's locale on both sides, so a decimal comma written by
    // one session is read back by the next.
    char fallbackText[64];
    std::snprintf(fallbackText, sizeof fallbackText, "%f", fallback);
    const std::string text = readSettingString(settingsPath, key, fallbackText);
    return std::strtod(text.c_str(), nullptr);
}

void writeDefaultFloat(const char *settingsPath, const char *key, double value) {
    if (settingsPath != nullptr)
        writeSettingFloat(settingsPath, key, value);
}

} // namespace AEUtil
