#include "platform/Folders.h"

#include <windows.h>
#include <shlobj.h>

namespace lumora::platform {

bool createFolderTree(const std::string &folder) {
    const int result = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    if (result == ERROR_SUCCESS)
        return true;
    // ERROR_ALREADY_EXISTS and ERROR_FILE_EXISTS also stand for a plain file in the way.
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool deleteFile(const std::string &path) { return DeleteFileA(path.c_str()) != 0; }

bool removeFolder(const std::string &folder) { return RemoveDirectoryA(folder.c_str()) != 0; }

} // namespace lumora::platform
