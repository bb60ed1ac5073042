#include "params/ParamDefaults.h"

#include "options/SettingsFile.h"
#include "options/StoredValue.h"

namespace AEUtil {

std::optional<long> readStoredInt(const char *settingsPath, const char *key) {
    if (settingsPath == nullptr)
        return std::nullopt;
    return parseStoredInteger(readSettingString(settingsPath, key, ""));
}

void writeDefaultInt(const char *settingsPath, const char *key, int value) {
    if (settingsPath != nullptr)
        writeSettingInt(settingsPath, key, value);
}

std::optional<double> readStoredFloat(const char *settingsPath, const char *key) {
    if (settingsPath == nullptr)
        return std::nullopt;
    // The text round trip uses the user's locale on both sides, so a decimal comma written by
    // one session is read back by the next.
    return parseStoredDecimal(readSettingString(settingsPath, key, ""));
}

void writeDefaultFloat(const char *settingsPath, const char *key, double value) {
    if (settingsPath != nullptr)
        writeSettingFloat(settingsPath, key, value);
}

} // namespace AEUtil
