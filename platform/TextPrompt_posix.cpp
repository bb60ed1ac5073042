#include "platform/TextPrompt.h"

#include <stdexcept>
#include <vector>

#include "platform/PortableWindow.h"

namespace lumora::platform {

namespace {

bool continuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Cuts UTF-8 text to at most maxBytes bytes, before the character that would be split.
void cutAtCharacter(std::string &text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return;
    std::size_t end = maxBytes;
    // A character takes at most four bytes; more continuation bytes than that are no text anyway.
    while (end > 0 && maxBytes - end < 3 && continuesCharacter(text[end]))
        --end;
    text.resize(end);
}

} // namespace

std::optional<std::string> askPresetName(void *owner, const std::string &initial, std::size_t maxBytes) {
    const PortableWindow *window = portableWindow(owner);
    if (!window || !window->askText)
        throw std::runtime_error("no window to show the preset-name prompt over");
    // One byte beyond the limit tells whether the limit falls inside a character.
    std::vector<char> text(maxBytes + 2, '\0');
    if (!window->askText(window->refcon, "Preset Name", initial.c_str(), text.data(),
                         static_cast<std::uint32_t>(text.size())))
        return std::nullopt;
    text.back() = '\0';
    std::string answer(text.data());
    cutAtCharacter(answer, maxBytes);
    return answer;
}

} // namespace lumora::platform
