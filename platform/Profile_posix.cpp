#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Folders.h"
#include "platform/ProfileText.h"
#include "platform/SafeFile.h"

namespace lumora::platform {

namespace {

using profile::ProfileText;

// GetPrivateProfileIntA reads the value into a 30-character buffer before converting it.
constexpr std::size_t kIntTextLimit = 29;

// Writers of this process take turns; writers of other processes are kept apart by a lock on
// the folder, which (unlike a lock file beside the profile) leaves nothing behind.
std::mutex g_writeMutex;

class FolderLock {
public:
    explicit FolderLock(const std::string &folder) : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock() {
        if (fd_ >= 0)
            close(fd_);
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int fd_;
};

// The whole file, or nothing when it cannot be read; `missing` tells a file that is not there.
std::optional<std::string> readFile(const char *path, bool *missing = nullptr) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (missing)
        *missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return std::nullopt;
    std::string content;
    char chunk[4096];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            close(fd);
            if (n < 0)
                return std::nullopt;
            return content;
        }
        content.append(chunk, static_cast<std::size_t>(n));
    }
}

// Replaces the file in one step, so a reader sees the old text or the new one, never a part.
bool replaceFile(const std::string &path, const std::string &text) {
    removeStaleTemporaries(path);
    std::string cause;
    return writeFileSafely(path, text, cause);
}

std::optional<std::string> lookUp(const char *section, const char *key, const char *file) {
    if (!section || !key || !file)
        return std::nullopt;
    const std::optional<std::string> content = readFile(file);
    if (!content)
        return std::nullopt;
    const std::optional<std::string> raw = ProfileText(*content).value(section, key);
    if (!raw)
        return std::nullopt;
    return profile::unquoteProfileValue(*raw);
}

} // namespace

int getProfileInt(const char *section, const char *key, int fallback, const char *file) {
    std::optional<std::string> text = lookUp(section, key, file);
    if (!text || text->empty())
        return fallback;
    text->resize(std::min(text->size(), kIntTextLimit));
    return profile::parseProfileInt(*text);
}

std::size_t getProfileString(const char *section, const char *key, const char *fallback, char *buffer, std::size_t size,
                             const char *file) {
    if (!buffer || size == 0)
        return 0;
    std::string text;
    if (std::optional<std::string> found = lookUp(section, key, file)) {
        text = std::move(*found);
    } else if (fallback) {
        text = fallback;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
    }
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

bool writeProfileString(const char *section, const char *key, const char *value, const char *file) {
    if (!section || !file)
        return false;
    const std::lock_guard<std::mutex> guard(g_writeMutex);
    const FolderLock folderLock(parentFolder(file).empty() ? std::string(".") : parentFolder(file));
    bool missing = false;
    const std::optional<std::string> content = readFile(file, &missing);
    if (!content && !missing)
        return false; // present but unreadable: never overwrite what could not be read
    ProfileText text(content.value_or(std::string()));
    bool changed = false;
    if (!key)
        changed = text.removeSection(section);
    else if (!value)
        changed = text.removeKey(section, key);
    else
        changed = text.set(section, key, value);
    // Deleting what is not there, or writing the value already there, succeeds untouched; a
    // missing file is not created for a deletion, as on Windows.
    if (!changed)
        return true;
    return replaceFile(file, text.content());
}

std::vector<std::string> getProfileSection(const char *section, const char *file) {
    if (!section || !file)
        return {};
    const std::optional<std::string> content = readFile(file);
    if (!content)
        return {};
    return ProfileText(*content).entries(section);
}

} // namespace lumora::platform
