#include "platform/Native.h"

#include <windows.h>

namespace lumora::platform {

bool nativeShiftKeyHeld() { return GetKeyState(VK_SHIFT) < 0; }

} // namespace lumora::platform
