#include "cli/Progress.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define LUMORA_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define LUMORA_ISATTY(fd) isatty(fd)
#endif

namespace lumora::cli {

namespace {
constexpr int kBarWidth = 30;
}

Progress::Progress(long total) : total_(total > 0 ? total : 1), terminal_(LUMORA_ISATTY(2) != 0) {}

Progress::~Progress() {
    if (drawn_)
        std::fputs("\n", stderr);
}

void Progress::show(long done, const std::string &item) {
    if (!terminal_)
        return;
    const int filled = static_cast<int>(done * kBarWidth / total_);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), ' ');
    // Clears the rest of the line, so a shorter item leaves nothing of a longer one behind.
    std::fprintf(stderr, "\r[%s] %ld/%ld %s\x1b[K", bar.c_str(), done, total_, item.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

} // namespace lumora::cli
