#include "platform/SafeFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/SafeFileTemporaries.h"

namespace lumora::platform {

namespace {

std::string errnoText(int err) { return std::strerror(err); }

bool writeAll(int fd, std::string_view bytes, int &err) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string &path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here leaves a complete file, so it is not reported.
void syncFolder(const std::string &folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

bool processRunning(unsigned long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

bool writeFileSafely(const std::string &path, std::string_view bytes, std::string &cause) {
    const std::string target = finalTarget(path);
    const std::string folder = folderOf(target);
    const std::string base = target.substr(target.find_last_of('/') + 1);
    std::random_device seed;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(folder, base, static_cast<unsigned long>(getpid()), seed());
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            cause = errnoText(errno);
            return false;
        }
    }
    if (fd < 0) {
        cause = "no unique temporary name was free";
        return false;
    }
    const PendingTemporary pending(temp);
    // A file that exists keeps its permissions.
    struct stat old {};
    if (stat(target.c_str(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    int err = 0;
    bool ok = writeAll(fd, bytes, err);
    if (ok && fsync(fd) != 0) {
        err = errno;
        ok = false;
    }
    if (close(fd) != 0 && ok) {
        err = errno;
        ok = false;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        ok = false;
    }
    if (!ok) {
        unlink(temp.c_str());
        cause = errnoText(err);
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace lumora::platform
