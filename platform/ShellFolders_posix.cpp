#include "platform/Native.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/Environment.h"

namespace lumora::platform {

namespace {

std::string homeFolder() {
    if (std::optional<std::string> home = environmentValue("HOME"))
        return *home;
    // No HOME (a service, a stripped environment): the password database still knows.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

} // namespace

std::string nativeApplicationDataFolder() {
    // The XDG rule: a relative XDG_CONFIG_HOME is invalid and ignored.
    if (std::optional<std::string> config = environmentValue("XDG_CONFIG_HOME"); config && (*config)[0] == '/')
        return *config;
    const std::string home = homeFolder();
    if (home.empty())
        return {};
    return (home == "/" ? std::string() : home) + "/.config";
}

std::string nativeSharedDocumentsFolder() { return "/var/lib/lumora"; }

} // namespace lumora::platform
