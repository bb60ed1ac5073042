// Whether the Shift key is held at this moment (the About box shows the build number then).
#pragma once

#include <optional>

namespace lumora::platform {

// In order: the state set by overrideShiftKey, then LUMORA_SHIFT_HELD ("1" held, anything else
// not), then the keyboard (Windows GetKeyState; other systems have no keyboard to ask: not held).
bool shiftKeyHeld();

// For tests within one process.
void overrideShiftKey(std::optional<bool> held); // nothing: back to the other rules

} // namespace lumora::platform
