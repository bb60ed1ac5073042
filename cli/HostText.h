// Text the plug-in hands to its host (return messages), made fit for a terminal.
#pragma once

#include <string>

namespace lumora::cli {

// Carriage returns (the host's line breaks) become line feeds; bytes outside ASCII are read
// as the Japanese code page 932 the plug-in writes its own messages in and turned into UTF-8
// (a byte that does not convert is shown as '?').
std::string hostTextForDisplay(const std::string &text);

} // namespace lumora::cli
