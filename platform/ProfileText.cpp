#include "platform/ProfileText.h"

#include <cstdint>

namespace lumora::platform::profile {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct Classified {
    enum Kind { Other, Header, Entry } kind = Other;
    std::string_view name;  // section name or key
    std::string_view value; // entries only, blanks removed
};

// The system functions know no comments and no continuation lines: a line starting with ';'
// is an entry like any other when it has an '=', and everything after the first '=' is the value.
Classified classify(std::string_view line) {
    const std::string_view text = trim(line);
    if (text.empty())
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos)
            return {};
        return {Classified::Header, trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {Classified::Entry, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

ProfileText::ProfileText(std::string_view content) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            if (lines_.empty())
                eol_ = "\r\n";
        }
        lines_.emplace_back(line);
        start = end + 1;
    }
}

std::optional<ProfileText::Range> ProfileText::findSection(std::string_view section) const {
    const std::string_view wanted = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Classified line = classify(lines_[i]);
        if (line.kind != Classified::Header || !sameName(line.name, wanted))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && classify(lines_[end]).kind != Classified::Header)
            ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileText::findKey(const Range &range, std::string_view key) const {
    const std::string_view wanted = trim(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const Classified line = classify(lines_[i]);
        if (line.kind == Classified::Entry && sameName(line.name, wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileText::value(std::string_view section, std::string_view key) const {
    const std::optional<Range> range = findSection(section);
    if (!range)
        return std::nullopt;
    const std::optional<std::size_t> line = findKey(*range, key);
    if (!line)
        return std::nullopt;
    return std::string(classify(lines_[*line]).value);
}

std::vector<std::string> ProfileText::entries(std::string_view section) const {
    std::vector<std::string> result;
    if (const std::optional<Range> range = findSection(section))
        for (std::size_t i = range->header + 1; i < range->end; ++i)
            if (const Classified line = classify(lines_[i]); line.kind == Classified::Entry)
                result.push_back(std::string(line.name) + "=" + std::string(line.value));
    return result;
}

bool ProfileText::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::optional<Range> range = findSection(section);
    if (!range) {
        std::string header(1, '['); // built piecewise: GCC 12 misreports "[" + string
        header.append(trim(section)).push_back(']');
        lines_.push_back(std::move(header));
        lines_.push_back(std::string(trim(key)) + "=" + std::string(value));
        return true;
    }
    if (const std::optional<std::size_t> line = findKey(*range, key)) {
        // The key keeps the spelling the file gives it.
        std::string replaced = std::string(classify(lines_[*line]).name) + "=" + std::string(value);
        if (replaced == lines_[*line])
            return false;
        lines_[*line] = std::move(replaced);
        return true;
    }
    // After the section's last entry, so that blank lines or comments closing it stay below.
    std::size_t at = range->header + 1;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (classify(lines_[i]).kind == Classified::Entry)
            at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::string(trim(key)) + "=" + std::string(value));
    return true;
}

bool ProfileText::removeKey(std::string_view section, std::string_view key) {
    const std::optional<Range> range = findSection(section);
    if (!range)
        return false;
    const std::optional<std::size_t> line = findKey(*range, key);
    if (!line)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}

bool ProfileText::removeSection(std::string_view section) {
    const std::optional<Range> range = findSection(section);
    if (!range)
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

std::string ProfileText::content() const {
    std::string text;
    for (const std::string &line : lines_)
        text += line + eol_;
    return text;
}

std::string unquoteProfileValue(std::string_view raw) {
    std::string_view text = trim(raw);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

int parseProfileInt(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() >= 2 && text[0] == '0') {
        // Only the lower-case prefixes select a base, as on Windows.
        if (text[1] == 'x')
            base = 16;
        else if (text[1] == 'o')
            base = 8;
        else if (text[1] == 'b')
            base = 2;
        if (base != 10)
            text.remove_prefix(2);
    }
    std::uint32_t total = 0;
    for (const char c : text) {
        unsigned digit = 99;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'z')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z')
            digit = static_cast<unsigned>(c - 'A' + 10);
        if (digit >= base)
            break;
        total = total * base + digit; // wraps at 32 bits like the system's conversion
    }
    if (negative)
        total = 0u - total;
    return static_cast<int>(total);
}

} // namespace lumora::platform::profile
