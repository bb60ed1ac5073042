#include "tests/support/FullDisk.h"

#include <filesystem>
#include <string>

#ifdef __linux__
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace lumora::test {

FullDisk::FullDisk(const std::string &folder, std::size_t bytes) : folder_(folder) {
#ifdef __linux__
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0)
        mounted_ = true;
    else
        why_ = std::string("mount: ") + std::strerror(errno) + (geteuid() != 0 ? " (not root)" : "");
#else
    (void)bytes;
    why_ = "only Linux mounts one here";
#endif
}

FullDisk::~FullDisk() {
#ifdef __linux__
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
#endif
}

} // namespace lumora::test
