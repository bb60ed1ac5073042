#include "platform/PopupMenu.h"

#include <windows.h>

#include <stdexcept>

#include "platform/Win32Text.h"

namespace lumora::platform {

namespace {

[[noreturn]] void fail(const char *call) {
    throw std::runtime_error(std::string("the popup menu failed: ") + call + ": " + systemErrorText(GetLastError()));
}

class Menu {
public:
    Menu() : menu_(CreatePopupMenu()) {
        if (!menu_)
            fail("CreatePopupMenu");
    }
    ~Menu() { DestroyMenu(menu_); }
    Menu(const Menu &) = delete;
    Menu &operator=(const Menu &) = delete;
    HMENU get() const { return menu_; }

private:
    HMENU menu_;
};

} // namespace

std::uint32_t trackPopupMenu(void *owner, const std::vector<MenuItem> &items, int x, int y) {
    Menu menu;
    for (const MenuItem &item : items) {
        const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED);
        if (!AppendMenuW(menu.get(), flags, item.command, wideFromAnsi(item.label).c_str()))
            fail("AppendMenuW");
    }
    // With TPM_RETURNCMD a dismissed menu and a failure both give 0; only a failure sets an error.
    SetLastError(ERROR_SUCCESS);
    const BOOL command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_CENTERALIGN, x, y, 0,
                                        static_cast<HWND>(owner), nullptr);
    if (command == 0 && GetLastError() != ERROR_SUCCESS)
        fail("TrackPopupMenu");
    return static_cast<std::uint32_t>(command);
}

void cursorPosition(void *, int &x, int &y) {
    POINT point{};
    if (!GetCursorPos(&point))
        point = {};
    x = point.x;
    y = point.y;
}

} // namespace lumora::platform
