#include "cli/Interrupts.h"

#include <csignal>

#include "platform/SafeFile.h"

namespace lumora::cli {

namespace {

extern "C" void onInterrupt(int sig) {
    platform::removePendingTemporary();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

} // namespace

void removeTemporariesOnInterrupt() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

} // namespace lumora::cli
