// The text model of a profile file for systems without the Windows profile functions: lines are
// classified as section headers, "key=value" entries or anything else (blanks, lines without
// '='), and edits change only the lines they concern.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::platform::profile {

class ProfileText {
public:
    explicit ProfileText(std::string_view content = {});

    // Names compare case-insensitively (ASCII) and without surrounding blanks; only the first
    // section of a name is seen, and in it only the first entry of a key, as Windows does.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::vector<std::string> entries(std::string_view section) const;

    // Each returns whether the text changed.
    bool set(std::string_view section, std::string_view key, std::string_view value);
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);

    std::string content() const;

private:
    struct Range {
        std::size_t header; // line of the section header
        std::size_t end;    // one past its last line
    };
    std::optional<Range> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Range &range, std::string_view key) const;

    std::vector<std::string> lines_; // without their line ends
    std::string eol_ = "\n";         // "\r\n" when the file already uses it
};

// Whether two section or key names are the same: ASCII letters compare without case.
bool sameName(std::string_view a, std::string_view b);

// The digits rule of GetPrivateProfileIntA applied to a value as read.
int parseProfileInt(std::string_view text);

// The value as GetPrivateProfileStringA hands it out: blanks and one pair of quotes removed.
std::string unquoteProfileValue(std::string_view raw);

} // namespace lumora::platform::profile
