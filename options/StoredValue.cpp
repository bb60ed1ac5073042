#include "options/StoredValue.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <string>

namespace AEUtil {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Sign, digits, and (when `point` is not 0) one point followed or preceded by digits.
bool plainNumber(std::string_view t, char point) {
    std::size_t i = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
    std::size_t digits = 0;
    bool seenPoint = false;
    for (; i < t.size(); ++i) {
        if (isDigit(t[i]))
            ++digits;
        else if (point && t[i] == point && !seenPoint)
            seenPoint = true;
        else
            return false;
    }
    return digits > 0;
}

} // namespace

std::optional<long> parseStoredInteger(std::string_view text) {
    const std::string t(trimmed(text));
    if (!plainNumber(t, 0) || t.size() > 18)
        return std::nullopt;
    return std::strtol(t.c_str(), nullptr, 10);
}

std::optional<double> parseStoredDecimal(std::string_view text) {
    std::string t(trimmed(text));
    const char *locale = std::localeconv()->decimal_point;
    const char point = locale && *locale ? *locale : '.';
    // Written in the C locale of its day: a '.' reads under a comma locale as well.
    if (point != '.')
        for (char &c : t)
            if (c == '.')
                c = point;
    if (!plainNumber(t, point) || t.size() > 64)
        return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE)
        return std::nullopt;
    return value;
}

} // namespace AEUtil
