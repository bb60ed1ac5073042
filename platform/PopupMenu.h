// A popup menu at a screen point, owned by the host's main window: TrackPopupMenu on Windows
// (labels in the multibyte code page, shown as wide text), the host's PortableWindow elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::platform {

struct MenuItem {
    std::string label; // shown as given: "&" marks a mnemonic, "&&" shows one ampersand
    std::uint32_t command = 0;
    bool checked = false;
};

// The command of the chosen item, 0 when the menu was dismissed. Throws std::runtime_error
// when the menu cannot be shown (no owner window that answers, a failing system call).
std::uint32_t trackPopupMenu(void *owner, const std::vector<MenuItem> &items, int x, int y);

// The mouse position in screen coordinates (GetCursorPos; elsewhere the owner's cursor point,
// 0, 0 without an owner).
void cursorPosition(void *owner, int &x, int &y);

} // namespace lumora::platform
