// The per-user settings file "Lumora.ini" that holds the user's defaults for new effect instances:
// its path, the process-wide section name, single-entry reads and writes, saving and restoring.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace AEUtil {

inline constexpr std::size_t kSettingsPathSize = 260;    // MAX_PATH, terminator included
inline constexpr std::size_t kSettingsSectionSize = 128; // section name, terminator included
inline constexpr std::size_t kSettingsTextSize = 128;    // longest text value read, terminator included
inline constexpr const char kSettingsSectionName[] = "Version=1.0";

// Fills `path` with <application-data folder>/NORIK/Vantu/Lumora.ini (backslashes on Windows).
// A path that would not fit leaves `path` empty and returns false.
bool settingsFilePath(char (&path)[kSettingsPathSize]);

// The application-data folder the path starts from (the stop point of restoreInitialDefaults).
std::string settingsBaseFolder();

// The section every read and write uses. Empty means the file is not in use: reads give the
// fallback and writes do nothing. Set on the host's main thread only (parameter set-up, CLI).
const char *settingsSection();
void setSettingsSection(const char *name); // null clears; cut to 127 characters

// Single entries of the current section in the file at `path` (null path: fallback / nothing).
int readSettingInt(const char *path, const char *key, int fallback);
std::string readSettingString(const char *path, const char *key, const char *fallback); // <= 127 chars
bool writeSetting(const char *path, const char *key, const char *value);
std::vector<std::string> readSettingEntries(const char *path);           // "key=value", file order
bool writeSettingInt(const char *path, const char *key, int value);      // "%d"
bool writeSettingFloat(const char *path, const char *key, double value); // "%f", current C locale;
                                                                         // false when over 127 chars

// Creates the folder that holds `path`, with every missing parent. True when it exists afterwards.
bool prepareSettingsFolder(const char *path);

// "Set current parameter values to default": builds the path, creates its folders, then lets
// `writeEntries` write every entry into the file at the path it is given. False when the path
// cannot be built (nothing is called then).
bool saveUserDefaults(const std::function<void(const char *path)> &writeEntries);

// "Restore initial default parameter values": deletes the file, then removes its folder and the
// folders above it while they are empty, never the application-data folder itself.
void restoreInitialDefaults();

} // namespace AEUtil
