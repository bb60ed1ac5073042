// How much memory a command may take for a frame, and what a frame is estimated to need, so a
// frame too large for the machine is refused with a clear message before anything is allocated.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::cli {

// Three quarters of the machine's physical memory (4 GiB when it cannot be told).
std::uint64_t defaultMemoryBudget();

// "4G", "512M", "64K" (powers of 1024) or a number of bytes; none for anything else.
std::optional<std::uint64_t> parseByteSize(std::string_view text);

// Reading an image: the decoded samples and the host's copy of it.
std::uint64_t imageReadBytes(std::uint64_t width, std::uint64_t height, int channels, int sampleBytes,
                             int hostPixelBytes);

// Rendering a frame of an input layer, at most: the host's input image; over the enlarged
// area (four times the pixels, after downsampling) the output image, the file samples written
// from it, and the render's own planes and work worlds at their most (five 16-bit planes, four
// worlds of 16 bits a channel or float).
std::uint64_t frameRenderBytes(std::uint64_t width, std::uint64_t height, int hostPixelBytes, int downsample);

// Throws std::runtime_error "<what> needs about N MB of memory, more than the budget of M MB
// (--max-memory)" when `need` exceeds `budget`.
void requireWithinBudget(std::uint64_t need, std::uint64_t budget, const std::string &what);

} // namespace lumora::cli
