#include "cli/GradientStops.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <cstring>

#include "cli/CommandLine.h"
#include "colorbar/data/GradientText.h"

namespace lumora::cli {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

bool parseHexColor(std::string_view text, PF_Pixel &color) {
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6)
        return false;
    A_u_char bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(text[2 * i]), low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<A_u_char>(high * 16 + low);
    }
    color = PF_Pixel{255, bytes[0], bytes[1], bytes[2]};
    return true;
}

std::vector<AEUtil::ColorFlag> parseGradientStops(std::string_view text, std::string_view option) {
    const std::string name(option);
    std::vector<AEUtil::ColorFlag> stops;
    std::size_t start = 0;
    for (int number = 1;; ++number) {
        const std::size_t comma = text.find(',', start);
        const std::string_view stop = trimmed(text.substr(start, comma - start));
        const auto bad = [&](const std::string &why) {
            return UsageError("option '" + name + "': stop " + std::to_string(number) + " '" + std::string(stop) +
                              "' " + why);
        };
        const std::size_t colon = stop.find(':');
        if (colon == std::string_view::npos)
            throw bad("is not POSITION:#RRGGBB (e.g. 0.5:#32f8ff)");
        const std::string_view positionText = trimmed(stop.substr(0, colon));
        double position = 0;
        const auto [end, ec] =
            std::from_chars(positionText.data(), positionText.data() + positionText.size(), position);
        if (positionText.empty() || ec != std::errc() || end != positionText.data() + positionText.size())
            throw bad("has no number before ':'");
        if (!(position >= 0.0 && position <= 1.0))
            throw bad("has a position outside 0 to 1");
        PF_Pixel color{};
        if (!parseHexColor(trimmed(stop.substr(colon + 1)), color))
            throw bad("has no colour #RRGGBB after ':'");
        if (stops.size() == static_cast<std::size_t>(AEUtil::kMaxColorFlags))
            throw bad("is one too many: a gradient holds at most " + std::to_string(AEUtil::kMaxColorFlags) + " stops");
        AEUtil::ColorFlag flag{};
        flag.alpha = color.alpha;
        flag.red = color.red;
        flag.green = color.green;
        flag.blue = color.blue;
        flag.position = static_cast<float>(position);
        stops.push_back(flag);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return stops;
}

AEUtil::GradientData gradientValue(const std::vector<AEUtil::ColorFlag> &stops, const std::string &presetName) {
    AEUtil::GradientData value;
    AEUtil::initEmptyGradient(value);
    std::memcpy(value.presetName, presetName.data(), std::min(presetName.size(), sizeof value.presetName - 1));
    for (const AEUtil::ColorFlag &stop : stops)
        AEUtil::appendColorFlag(value.current, stop);
    return value;
}

std::string gradientScanText(const AEUtil::GradientData &value) {
    std::string text(AEUtil::kGradientPrintSize, '\0');
    if (AEUtil::printGradientText(value, false, text.data(), text.size()) != PF_Err_NONE)
        throw std::logic_error("the gradient's text form does not fit its buffer");
    return text;
}

std::string gradientStopsText(const AEUtil::ColorFlagList &list) {
    AEUtil::ColorFlagList sorted = list;
    AEUtil::sortColorFlags(sorted);
    std::string text;
    for (A_long i = 0; i < AEUtil::usedFlagCount(sorted); ++i) {
        const AEUtil::ColorFlag &f = sorted.flag[i];
        char position[32];
        const auto end = std::to_chars(position, position + sizeof position, f.position).ptr;
        char color[8];
        std::snprintf(color, sizeof color, "#%02x%02x%02x", f.red, f.green, f.blue);
        text.append(i ? "," : "").append(position, end).append(":").append(color);
    }
    return text;
}

} // namespace lumora::cli
