// The "Preset Name" prompt: dialog 150 of the plug-in module (one edit field, 1501, with OK and
// Cancel), modal to the owner and placed at the cursor; the host's PortableWindow elsewhere.
#pragma once

#include <optional>
#include <string>

namespace lumora::platform {

inline constexpr int kPresetNameDialog = 150;
inline constexpr int kPresetNameEdit = 1501;

// The text confirmed with OK (at most maxBytes bytes of the multibyte code page), nothing on
// Cancel or close. Throws std::runtime_error when the prompt cannot be shown.
std::optional<std::string> askPresetName(void *owner, const std::string &initial, std::size_t maxBytes);

} // namespace lumora::platform
