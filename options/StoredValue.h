// What a stored default may be: a plain decimal number. Anything else in the settings file (hex,
// words, "nan", trailing text) is not the user's value, and the built-in default stands.
#pragma once

#include <optional>
#include <string_view>

namespace AEUtil {

// Blanks around it, an optional sign and digits.
std::optional<long> parseStoredInteger(std::string_view text);
// The same with at most one decimal point (the C locale's, or '.') and digits after it.
std::optional<double> parseStoredDecimal(std::string_view text);

} // namespace AEUtil
