#include "platform/Folders.h"

namespace lumora::platform {

std::string parentFolder(const std::string &path) {
#ifdef _WIN32
    const std::size_t last = path.find_last_of("\\/");
#else
    const std::size_t last = path.find_last_of('/');
#endif
    if (last == std::string::npos)
        return {};
    return path.substr(0, last);
}

void removeFoldersUpward(const std::string &folder, const std::string &stopFolder) {
    std::string current = folder;
    while (!current.empty() && current != stopFolder) {
        if (!removeFolder(current))
            return;
        current = parentFolder(current);
    }
}

} // namespace lumora::platform
