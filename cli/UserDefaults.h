// The user settings file as the `lumora defaults` verbs work on it: its path, its entries, an
// effect module's built-in defaults written with chosen overrides, and reset.
#pragma once

#include <string>
#include <vector>

namespace lumora::cli {

// "NAME=VALUE" of `--set`: NAME is a parameter name ("Glow Radius") or a colour channel key
// ("Depth Tint.r"), compared without regard to letter case as the settings file does.
struct DefaultOverride {
    std::string name;
    std::string value;
};

// Whether two keys are the same for the settings file: ASCII letters compare without case.
bool sameKey(const std::string &a, const std::string &b);

// Splits at the first '='; throws std::runtime_error when there is none or NAME is empty.
DefaultOverride parseOverride(const std::string &text);

// The settings file's path; throws std::runtime_error when it cannot be built.
std::string userSettingsPath();

// The file's entries ("key=value", file order) in the plug-in's section; empty when none.
std::vector<std::string> userDefaultEntries();

// Loads `module` (empty: the one built with the command) in an embedded host that keeps the
// settings file out of registration, so every parameter holds its built-in default; applies
// `overrides` to the host's values; then writes every storable value's entries, in host-index
// order. Unknown names and bad or out-of-range values throw std::runtime_error before anything
// is written. Returns the path.
std::string saveBuiltinDefaults(const std::vector<DefaultOverride> &overrides, const std::string &module = {});

// Deletes the file and the folders it leaves empty, as the options dialog's restore does.
void resetUserDefaults();

} // namespace lumora::cli
