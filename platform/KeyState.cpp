#include "platform/KeyState.h"

#include <atomic>

#include "platform/Environment.h"
#include "platform/Native.h"

namespace lumora::platform {

namespace {
// -1 no override, 0 not held, 1 held.
std::atomic<int> g_override{-1};
} // namespace

bool shiftKeyHeld() {
    if (const int forced = g_override.load(); forced >= 0)
        return forced == 1;
    if (std::optional<std::string> value = environmentValue(kShiftHeldVariable))
        return *value == "1";
    return nativeShiftKeyHeld();
}

void overrideShiftKey(std::optional<bool> held) { g_override.store(held ? (*held ? 1 : 0) : -1); }

} // namespace lumora::platform
