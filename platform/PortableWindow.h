// The application window of a host on a system without a window system of ours: what the host
// hands out as its main window (PF_PlatData_MAIN_WND) where Windows would give an HWND. Menus
// and prompts a plug-in opens over it are answered by the host, which asks its caller (a test,
// a gesture script) what a person would pick. Plain C so that a host and a plug-in built apart
// agree on it.
#pragma once

#include <cstdint>

namespace lumora::platform {

inline constexpr std::uint32_t kPortableWindowMagic = 0x4C4D5731; // "LMW1"

struct PortableMenuItem {
    const char *label; // as the menu shows it (mnemonic "&" already doubled)
    std::uint32_t command;
    std::uint8_t checked;
};

struct PortableWindow {
    std::uint32_t magic; // kPortableWindowMagic
    void *refcon;
    // The command of the item picked, or 0 when the menu is dismissed. x, y: screen point.
    std::uint32_t (*chooseMenuItem)(void *refcon, const PortableMenuItem *items, std::uint32_t count, std::int32_t x,
                                    std::int32_t y);
    // A line of text typed into a prompt titled `title` that starts with `initial`: writes at most
    // capacity - 1 bytes and a terminating zero to `text` and returns 1 for OK, 0 for Cancel.
    std::int32_t (*askText)(void *refcon, const char *title, const char *initial, char *text, std::uint32_t capacity);
    std::int32_t cursorX, cursorY; // the mouse, in screen coordinates
};

// The window behind an owner handle a host gave out, or null when it is not one of these.
inline const PortableWindow *portableWindow(const void *owner) {
    const auto *window = static_cast<const PortableWindow *>(owner);
    return window && window->magic == kPortableWindowMagic ? window : nullptr;
}

} // namespace lumora::platform
