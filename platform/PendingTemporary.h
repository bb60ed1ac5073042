// The temporary file of the safe write in progress, named where an interrupt handler can find
// it (SafeFile.h). One at a time: a second concurrent writer simply goes unregistered.
#pragma once

#include <string>

namespace lumora::platform {

class PendingTemporary {
public:
    explicit PendingTemporary(const std::string &name);
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary &) = delete;
    PendingTemporary &operator=(const PendingTemporary &) = delete;

private:
    bool owner_ = false;
};

} // namespace lumora::platform
