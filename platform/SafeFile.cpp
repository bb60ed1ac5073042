#include "platform/SafeFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/SafeFileTemporaries.h"

namespace lumora::platform {

namespace {

constexpr std::size_t kPendingMax = 4096;
char g_pending[kPendingMax];
std::atomic<bool> g_pendingSet{false};
std::atomic<bool> g_pendingBusy{false};

} // namespace

PendingTemporary::PendingTemporary(const std::string &name) {
    bool expected = false;
    if (name.size() < kPendingMax && g_pendingBusy.compare_exchange_strong(expected, true)) {
        std::memcpy(g_pending, name.c_str(), name.size() + 1);
        g_pendingSet.store(true);
        owner_ = true;
    }
}

PendingTemporary::~PendingTemporary() {
    if (owner_) {
        g_pendingSet.store(false);
        g_pendingBusy.store(false);
    }
}

void removePendingTemporary() {
    if (!g_pendingSet.load())
        return;
#ifdef _WIN32
    DeleteFileA(g_pending);
#else
    unlink(g_pending);
#endif
}

std::string temporaryName(const std::string &folder, const std::string &name, unsigned long pid, unsigned random) {
    char unique[24];
    std::snprintf(unique, sizeof unique, "%08lx%08x", pid & 0xFFFFFFFFul, random);
    return (std::filesystem::path(folder) / ("." + name + "." + unique + ".partial")).string();
}

void removeStaleTemporaries(const std::string &path) {
    namespace fs = std::filesystem;
    const fs::path target(finalTarget(path));
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string name = target.filename().string();
    const std::string prefix = "." + name + ".", suffix = ".partial";
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() != prefix.size() + 16 + suffix.size() || file.compare(0, prefix.size(), prefix) != 0 ||
            file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const std::string pidText = file.substr(prefix.size(), 8);
        if (pidText.find_first_not_of("0123456789abcdef") != std::string::npos)
            continue;
        if (!processRunning(std::stoul(pidText, nullptr, 16))) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::string finalTarget(const std::string &path) {
    namespace fs = std::filesystem;
    fs::path p(path);
    // A loop of links ends after as many steps as the system follows.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec)
            break;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p.string();
}

} // namespace lumora::platform
