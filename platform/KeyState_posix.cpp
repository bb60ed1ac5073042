#include "platform/Native.h"

namespace lumora::platform {

// A plug-in process here has no keyboard of its own to ask.
bool nativeShiftKeyHeld() { return false; }

} // namespace lumora::platform
