// Windows profile (INI) files, entry by entry, as GetPrivateProfileIntA, GetPrivateProfileStringA,
// WritePrivateProfileStringA and GetPrivateProfileSectionA behave. Windows calls those; other
// systems use a portable store with the same observable behaviour (ProfileText.h) that replaces
// the file whole on every change (temporary file, then rename) and keeps writers apart, within
// the process and across processes. The portable store offers no lists of section or key names:
// a read with a null section or key gives the fallback.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumora::platform {

// The integer under `key`: leading blanks, an optional sign, then "0x", "0o" or "0b" for
// another base, and as many digits as follow (wrapping at 32 bits); a value without digits is 0.
// `fallback` when the file, the section or the key is missing, or the value is empty.
int getProfileInt(const char *section, const char *key, int fallback, const char *file);

// Copies the value under `key` (blanks around it and one pair of enclosing quotes removed), or
// `fallback` without its trailing blanks (null: empty), cut to size - 1 characters and
// terminated. Returns the number of characters copied; 0 when `buffer` is null or size is 0.
std::size_t getProfileString(const char *section, const char *key, const char *fallback, char *buffer, std::size_t size,
                             const char *file);

// Sets `key` to `value` in `section`, creating the file, the section or the key as needed and
// keeping every other line; a null `value` deletes the key, a null `key` the whole section.
// False when the file cannot be written (for example when its folder does not exist).
bool writeProfileString(const char *section, const char *key, const char *value, const char *file);

// The entries of `section` as "key=value" texts in file order; empty when there are none.
std::vector<std::string> getProfileSection(const char *section, const char *file);

} // namespace lumora::platform
