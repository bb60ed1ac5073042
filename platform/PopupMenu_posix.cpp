#include "platform/PopupMenu.h"

#include <algorithm>
#include <stdexcept>

#include "platform/PortableWindow.h"

namespace lumora::platform {

std::uint32_t trackPopupMenu(void *owner, const std::vector<MenuItem> &items, int x, int y) {
    const PortableWindow *window = portableWindow(owner);
    if (!window || !window->chooseMenuItem)
        throw std::runtime_error("no window to show the menu over");
    std::vector<PortableMenuItem> shown;
    shown.reserve(items.size());
    for (const MenuItem &item : items)
        shown.push_back({item.label.c_str(), item.command, static_cast<std::uint8_t>(item.checked)});
    const std::uint32_t command =
        window->chooseMenuItem(window->refcon, shown.data(), static_cast<std::uint32_t>(shown.size()), x, y);
    // A command the menu does not hold would pass for a choice the person never had.
    const bool offered =
        std::any_of(items.begin(), items.end(), [&](const MenuItem &i) { return i.command == command; });
    if (command != 0 && !offered)
        throw std::runtime_error("the window chose command " + std::to_string(command) +
                                 ", which the menu does not hold");
    return command;
}

void cursorPosition(void *owner, int &x, int &y) {
    const PortableWindow *window = portableWindow(owner);
    x = window ? window->cursorX : 0;
    y = window ? window->cursorY : 0;
}

} // namespace lumora::platform
