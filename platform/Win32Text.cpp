#include "platform/Win32Text.h"

#include <windows.h>

namespace lumora::platform {

namespace {

int ansiBytes(const wchar_t *text, int length) {
    return WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
}

} // namespace

std::wstring wideFromAnsi(const std::string &text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string ansiFromWide(const std::wstring &text, std::size_t maxBytes) {
    // Measured one character at a time (a surrogate pair is one), so the cut never splits the
    // two bytes of a double-byte character.
    std::size_t units = 0, bytes = 0;
    while (units < text.size()) {
        const bool pair = IS_HIGH_SURROGATE(text[units]) && units + 1 < text.size();
        const int length = pair ? 2 : 1;
        const std::size_t size = static_cast<std::size_t>(ansiBytes(text.data() + units, length));
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        units += length;
    }
    std::string ansi(bytes, '\0');
    if (bytes)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(units), ansi.data(), static_cast<int>(bytes),
                            nullptr, nullptr);
    return ansi;
}

std::string systemErrorText(unsigned long code) {
    char text[512] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                   sizeof text, nullptr);
    std::string s(text, n);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == '.'))
        s.pop_back();
    return s.empty() ? "error " + std::to_string(code) : s;
}

} // namespace lumora::platform
