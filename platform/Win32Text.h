// Text for the wide Windows calls: the plug-in keeps its strings in the multibyte (ANSI) code
// page, dialogs and menus show UTF-16; and the system's message for an error code.
#pragma once

#include <cstddef>
#include <string>

namespace lumora::platform {

std::wstring wideFromAnsi(const std::string &text);

// At most maxBytes bytes of the code page; a character that no longer fits is left out whole.
std::string ansiFromWide(const std::wstring &text, std::size_t maxBytes);

// FormatMessage's text without its trailing newline and full stop; "error N" when it has none.
std::string systemErrorText(unsigned long code);

} // namespace lumora::platform
