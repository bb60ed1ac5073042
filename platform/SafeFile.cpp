#include "platform/SafeFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/PendingTemporary.h"

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
