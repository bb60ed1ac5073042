// User defaults of parameters in the settings file, under the process-wide section name.
// A null path means the file is not in use: reads give the fallback, writes do nothing.
#pragma once

#include <optional>

namespace AEUtil {

// The value stored under `key` when it is a plain decimal number (options/StoredValue.h); none
// when the file is not in use or the key is missing or holds anything else. Each parameter then
// checks the number against what it accepts.
std::optional<long> readStoredInt(const char *settingsPath, const char *key);
std::optional<double> readStoredFloat(const char *settingsPath, const char *key);

// "%d" and "%f" forms; floats follow the C locale the filter set.
void writeDefaultInt(const char *settingsPath, const char *key, int value);
void writeDefaultFloat(const char *settingsPath, const char *key, double value);

} // namespace AEUtil
