#include "platform/Native.h"

#include <windows.h>
#include <shlobj.h>

namespace lumora::platform {

namespace {

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return {};
    return path;
}

} // namespace

std::string nativeApplicationDataFolder() { return shellFolder(CSIDL_APPDATA); }

std::string nativeSharedDocumentsFolder() { return shellFolder(CSIDL_COMMON_DOCUMENTS); }

} // namespace lumora::platform
