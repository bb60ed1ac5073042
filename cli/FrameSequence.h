// Image sequences on the command line: a run of '#' in a file name stands for the frame
// number, zero-padded to the run's width ("shot.####.exr" -> "shot.0012.exr").
#pragma once

#include <string>
#include <string_view>

namespace lumora::cli {

struct FrameRange {
    long first = 0;
    long last = 0;
    long count() const { return last - first + 1; }
};

inline constexpr long kMaxFrameNumber = 999999999;

// "A-B" (A <= B) or a single frame "A", frames 0 to kMaxFrameNumber. Throws UsageError naming
// `option`.
FrameRange parseFrameRange(std::string_view text, std::string_view option = "--frames");

struct FramePattern {
    std::string prefix;
    std::string suffix;
    std::size_t width = 0; // 0: the path holds no '#' run
    bool isSequence() const { return width > 0; }
};

// Splits `path` at its run of '#'. Throws UsageError when it holds more than one run.
FramePattern findFrameRun(const std::string &path);

// The frame's file: the number zero-padded to the run's width (wider numbers are kept whole);
// a path without a run is returned as it is.
std::string framePath(const FramePattern &pattern, long frame);

} // namespace lumora::cli
