#include "params/ParamDefaults.h"

#include "options/SettingsFile.h"
#include "options/StoredValue.h"

namespace AEUtil {

namespace {

// The text stored under `key` as `parse` reads it; none when the file is not in use.
template <typename Number>
std::optional<Number> readStored(const char *settingsPath, const char *key,
                                 std::optional<Number> (*parse)(std::string_view)) {
    if (settingsPath == nullptr)
        return std::nullopt;
    return parse(readSettingString(settingsPath, key, ""));
}

} // namespace

std::optional<long> readStoredInt(const char *settingsPath, const char *key) {
    return readStored(settingsPath, key, parseStoredInteger);
}

void writeDefaultInt(const char *settingsPath, const char *key, int value) {
    if (settingsPath != nullptr)
        writeSettingInt(settingsPath, key, value);
}

std::optional<double> readStoredFloat(const char *settingsPath, const char *key) {
    // The text round trip uses the user's locale on both sides, so a decimal comma written by
    // one session is read back by the next.
    return readStored(settingsPath, key, parseStoredDecimal);
}

void writeDefaultFloat(const char *settingsPath, const char *key, double value) {
    if (settingsPath != nullptr)
        writeSettingFloat(settingsPath, key, value);
}

} // namespace AEUtil
