#include "cli/FrameSequence.h"

#include <charconv>
#include <optional>

#include "cli/CommandLine.h"

namespace lumora::cli {

namespace {

std::optional<long> frameNumber(std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

FrameRange parseFrameRange(std::string_view text, std::string_view option) {
    const auto bad = [&](const std::string &why) -> UsageError {
        return UsageError("option '" + std::string(option) + "': '" + std::string(text) + "' " + why);
    };
    const std::size_t dash = text.find('-');
    const std::optional<long> first = frameNumber(text.substr(0, dash));
    const std::optional<long> last = dash == std::string_view::npos ? first : frameNumber(text.substr(dash + 1));
    if (!first || !last)
        throw bad("is not a frame range FIRST-LAST of whole numbers from 0 (e.g. 1-48)");
    if (*last < *first)
        throw bad("ends before it starts");
    // Counting and stepping past the last frame stay far from overflow.
    if (*last > kMaxFrameNumber)
        throw bad("goes past frame " + std::to_string(kMaxFrameNumber));
    return {*first, *last};
}

FramePattern findFrameRun(const std::string &path) {
    const std::size_t start = path.find('#');
    if (start == std::string::npos)
        return {path, {}, 0};
    const std::size_t end = path.find_first_not_of('#', start);
    const std::size_t stop = end == std::string::npos ? path.size() : end;
    if (path.find('#', stop) != std::string::npos)
        throw UsageError("'" + path + "' holds more than one run of '#' for the frame number");
    return {path.substr(0, start), path.substr(stop), stop - start};
}

std::string framePath(const FramePattern &pattern, long frame) {
    if (!pattern.isSequence())
        return pattern.prefix;
    std::string number = std::to_string(frame);
    if (number.size() < pattern.width)
        number.insert(0, pattern.width - number.size(), '0');
    return pattern.prefix + number + pattern.suffix;
}

} // namespace lumora::cli
