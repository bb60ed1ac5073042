// A folder on a tiny file system of its own, to see what writers do when the disk fills. Needs
// the right to mount (root on Linux); where that is missing, tests skip with a message.
#pragma once

#include <string>

namespace lumora::test {

class FullDisk {
public:
    // Mounts `bytes` of tmpfs at `folder` (created if needed). ready() tells whether it worked.
    FullDisk(const std::string &folder, std::size_t bytes);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool ready() const { return mounted_; }
    const std::string &why() const { return why_; }
    const std::string &folder() const { return folder_; }

private:
    std::string folder_;
    std::string why_;
    bool mounted_ = false;
};

} // namespace lumora::test

#define LUMORA_NEED_FULL_DISK(disk)                                                                                    \
    if (!(disk).ready())                                                                                               \
    GTEST_SKIP() << "no small file system to fill: " << (disk).why()
