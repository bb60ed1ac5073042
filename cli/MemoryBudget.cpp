#include "cli/MemoryBudget.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace lumora::cli {

namespace {

std::uint64_t physicalMemory() {
#ifdef _WIN32
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) : 0;
#endif
}

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

} // namespace

std::uint64_t defaultMemoryBudget() {
    const std::uint64_t physical = physicalMemory();
    return physical ? physical / 4 * 3 : std::uint64_t{4} << 30;
}

std::optional<std::uint64_t> parseByteSize(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    int shift = 0;
    switch (text.back()) {
    case 'K':
    case 'k': shift = 10; break;
    case 'M':
    case 'm': shift = 20; break;
    case 'G':
    case 'g': shift = 30; break;
    case 'T':
    case 't': shift = 40; break;
    default: break;
    }
    if (shift)
        text.remove_suffix(1);
    if (text.empty() || text.size() > 15)
        return std::nullopt;
    std::uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (n == 0 || n > (~std::uint64_t{0} >> shift))
        return std::nullopt;
    return n << shift;
}

std::uint64_t imageReadBytes(std::uint64_t width, std::uint64_t height, int channels, int sampleBytes,
                             int hostPixelBytes) {
    const std::uint64_t pixels = width * height;
    return pixels * (static_cast<std::uint64_t>(channels) * static_cast<std::uint64_t>(sampleBytes) +
                     static_cast<std::uint64_t>(hostPixelBytes));
}

std::uint64_t frameRenderBytes(std::uint64_t width, std::uint64_t height, int hostPixelBytes, int downsample) {
    const auto bpp = static_cast<std::uint64_t>(hostPixelBytes);
    const auto n = static_cast<std::uint64_t>(std::max(downsample, 1));
    const std::uint64_t area = 4 * ((width + n - 1) / n) * ((height + n - 1) / n);
    const std::uint64_t wide = std::max<std::uint64_t>(bpp, 8);
    // Output image, its samples for the file (up to four float channels), planes and worlds.
    return width * height * bpp + area * (bpp + 16 + 5 * 2 + 4 * wide);
}

void requireWithinBudget(std::uint64_t need, std::uint64_t budget, const std::string &what) {
    if (need > budget)
        throw std::runtime_error(what + " needs about " + megabytes(need) + " of memory, more than the budget of " +
                                 megabytes(budget) + " (--max-memory)");
}

} // namespace lumora::cli
