// The temporary files of the safe write (SafeFile.h): their names, the one in progress (for an
// interrupt handler to find), and those a killed writer left behind.
#pragma once

#include <string>

namespace lumora::platform {

// ".NAME.PPPPPPPPRRRRRRRR.partial" beside NAME: the writer's process id and a random number.
std::string temporaryName(const std::string &folder, const std::string &name, unsigned long pid, unsigned random);

// Whether the process with this id still runs (one system-specific definition each).
bool processRunning(unsigned long pid);

// Registers the temporary of the write in progress. One at a time: a second concurrent writer
// simply goes unregistered.
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
