#include "platform/ShellFolders.h"

#include "platform/Environment.h"
#include "platform/Native.h"

namespace lumora::platform {

namespace {

bool isSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// An override or $XDG_CONFIG_HOME may end with a separator; the shell's folders never do, and
// callers append "<sep>NAME", so trailing ones go (a root such as "/" or "C:\" keeps its own).
std::string withoutTrailingSeparators(std::string folder) {
    std::size_t keep = folder.size();
    while (keep > 1 && isSeparator(folder[keep - 1]) && !(keep == 3 && folder[1] == ':'))
        --keep;
    folder.resize(keep);
    return folder;
}

std::string folderFrom(const char *variable, std::string (*native)()) {
    if (std::optional<std::string> value = environmentValue(variable))
        return withoutTrailingSeparators(*value);
    return withoutTrailingSeparators(native());
}

} // namespace

std::string applicationDataFolder() { return folderFrom(kAppDataDirVariable, &nativeApplicationDataFolder); }

std::string sharedDocumentsFolder() { return folderFrom(kSharedDocumentsDirVariable, &nativeSharedDocumentsFolder); }

} // namespace lumora::platform
