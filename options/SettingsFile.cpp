#include "options/SettingsFile.h"

#include <cstdio>
#include <cstring>

#include "platform/Folders.h"
#include "platform/Profile.h"
#include "platform/ShellFolders.h"

namespace AEUtil {

namespace {

namespace platform = lumora::platform;

// Written by parameter set-up and the command-line tool, both on the main thread only.
char g_section[kSettingsSectionSize] = {};

bool inUse(const char *path) { return path && *path && g_section[0]; }

} // namespace

std::string settingsBaseFolder() { return platform::applicationDataFolder(); }

bool settingsFilePath(char (&path)[kSettingsPathSize]) {
    path[0] = '\0';
    const std::string base = settingsBaseFolder();
    if (base.empty())
        return false;
    constexpr char sep = platform::kPathSeparator;
    std::string full = base;
    if (full.back() != sep) // a root folder already ends with one
        full += sep;
    full.append("NORIK").append(1, sep).append("Vantu").append(1, sep).append("Lumora.ini");
    // A longer path would be cut short and name some other file: refuse it whole.
    if (full.size() >= kSettingsPathSize)
        return false;
    std::memcpy(path, full.c_str(), full.size() + 1);
    return true;
}

const char *settingsSection() { return g_section; }

void setSettingsSection(const char *name) {
    if (!name) {
        g_section[0] = '\0';
        return;
    }
    std::snprintf(g_section, sizeof g_section, "%s", name);
}

int readSettingInt(const char *path, const char *key, int fallback) {
    if (!inUse(path) || !key)
        return fallback;
    return platform::getProfileInt(g_section, key, fallback, path);
}

std::string readSettingString(const char *path, const char *key, const char *fallback) {
    char text[kSettingsTextSize] = {};
    if (!inUse(path) || !key) {
        std::snprintf(text, sizeof text, "%s", fallback ? fallback : "");
        return text;
    }
    const std::size_t length = platform::getProfileString(g_section, key, fallback, text, sizeof text, path);
    return std::string(text, length);
}

bool writeSetting(const char *path, const char *key, const char *value) {
    if (!inUse(path) || !key || !value)
        return false;
    return platform::writeProfileString(g_section, key, value, path);
}

std::vector<std::string> readSettingEntries(const char *path) {
    if (!inUse(path))
        return {};
    return platform::getProfileSection(g_section, path);
}

bool writeSettingInt(const char *path, const char *key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return writeSetting(path, key, text);
}

bool writeSettingFloat(const char *path, const char *key, double value) {
    char text[kSettingsTextSize];
    // A value too large for the text a reader takes back would be read as another number.
    const int length = std::snprintf(text, sizeof text, "%f", value);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text)
        return false;
    return writeSetting(path, key, text);
}

bool prepareSettingsFolder(const char *path) {
    if (!path || !*path)
        return false;
    const std::string folder = platform::parentFolder(path);
    return !folder.empty() && platform::createFolderTree(folder);
}

bool saveUserDefaults(const std::function<void(const char *path)> &writeEntries) {
    char path[kSettingsPathSize];
    if (!settingsFilePath(path))
        return false;
    // A folder that cannot be made shows up as failing writes, which are ignored too.
    prepareSettingsFolder(path);
    writeEntries(path);
    return true;
}

void restoreInitialDefaults() {
    char path[kSettingsPathSize];
    if (!settingsFilePath(path))
        return;
    platform::deleteFile(path);
    platform::removeFoldersUpward(platform::parentFolder(path), settingsBaseFolder());
}

} // namespace AEUtil
