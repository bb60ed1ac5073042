#include "platform/Profile.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace lumora::platform {

int getProfileInt(const char *section, const char *key, int fallback, const char *file) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

std::size_t getProfileString(const char *section, const char *key, const char *fallback, char *buffer, std::size_t size,
                             const char *file) {
    if (!buffer || size == 0)
        return 0;
    const DWORD capped = static_cast<DWORD>(std::min<std::size_t>(size, INT_MAX));
    return GetPrivateProfileStringA(section, key, fallback, buffer, capped, file);
}

bool writeProfileString(const char *section, const char *key, const char *value, const char *file) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

std::vector<std::string> getProfileSection(const char *section, const char *file) {
    std::vector<char> buffer(4096);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD copied = GetPrivateProfileSectionA(section, buffer.data(), size, file);
        if (copied + 2 < size)
            break;
        // Too small: the function reports size - 2 and cuts the list.
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::string> entries;
    for (const char *entry = buffer.data(); *entry; entry += std::strlen(entry) + 1)
        entries.emplace_back(entry);
    return entries;
}

} // namespace lumora::platform
