// User defaults of parameters in the settings file, under the process-wide section name.
// A null path means the file is not in use: reads give the fallback, writes do nothing.
#pragma once

namespace AEUtil {

// "%d" and "%f" forms; floats follow the C locale the filter set.
int readDefaultInt(const char *settingsPath, const char *key, int fallback);
void writeDefaultInt(const char *settingsPath, const char *key, int value);
double readDefaultFloat(const char *settingsPath, const char *key, double fallback);
void writeDefaultFloat(const char *settingsPath, const char *key, double value);

} // namespace AEUtil
