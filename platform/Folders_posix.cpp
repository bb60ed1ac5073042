#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumora::platform {

namespace {

bool isFolder(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool createFolderTree(const std::string &folder) {
    if (folder.empty())
        return false;
    // Each prefix ending before a separator, then the folder itself; the mode is left to umask.
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string prefix = folder.substr(0, end);
        if (!prefix.empty() && prefix.back() != '/' && mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            break;
    }
    return isFolder(folder);
}

bool deleteFile(const std::string &path) {
    // DeleteFile refuses folders; unlink on a folder may not (and must not be tried).
    if (isFolder(path))
        return false;
    return unlink(path.c_str()) == 0;
}

bool removeFolder(const std::string &folder) { return rmdir(folder.c_str()) == 0; }

} // namespace lumora::platform
