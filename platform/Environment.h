// Environment variables through which tests and scripted runs redirect the platform services
// (folders, key state, UI language, command line) away from the real machine's.
#pragma once

#include <optional>
#include <string>

namespace lumora::platform {

// Names of the overrides; each is honoured on every system, only when set and not empty.
inline constexpr const char kAppDataDirVariable[] = "LUMORA_APPDATA_DIR";
inline constexpr const char kSharedDocumentsDirVariable[] = "LUMORA_SHARED_DOCUMENTS_DIR";
inline constexpr const char kShiftHeldVariable[] = "LUMORA_SHIFT_HELD";     // "1" held, "0" not
inline constexpr const char kUILanguageVariable[] = "LUMORA_UI_LANGUAGE";   // decimal LANGID
inline constexpr const char kCommandLineVariable[] = "LUMORA_COMMAND_LINE"; // blank-separated

// The variable's value, or nothing when it is unset or empty.
std::optional<std::string> environmentValue(const char *name);

} // namespace lumora::platform
