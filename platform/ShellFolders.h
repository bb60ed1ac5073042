// The machine's special folders: the user's roaming application data and the documents folder
// shared by every user of the machine.
//
// Windows: the shell folders CSIDL_APPDATA and CSIDL_COMMON_DOCUMENTS.
// Elsewhere: $XDG_CONFIG_HOME (when absolute), else $HOME/.config, for the per-user folder; the
// fixed folder /var/lib/lumora for the shared one (an administrator creates it writable for the
// users who share presets).
// Either is replaced by LUMORA_APPDATA_DIR / LUMORA_SHARED_DOCUMENTS_DIR when set, on every
// system, so that tests and scripted runs never touch the real folders.
#pragma once

#include <string>

namespace lumora::platform {

inline constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// Without a trailing separator (unless the folder is a root); empty when it cannot be told.
std::string applicationDataFolder();
std::string sharedDocumentsFolder();

} // namespace lumora::platform
