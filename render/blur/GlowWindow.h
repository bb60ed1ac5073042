// The box window of the literal blur passes slid along one line: taps x - K + 1 ... x + K - 1,
// clipped to the line, entered and left one sample at a time, so both passes keep the order of
// additions their fast forms reproduce.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/blur/GlowKernel.h"

namespace AEUtil {

// For x = 0 ... n - 1: enter(j) as sample j comes into the window, or pastEnd() where its far
// end already is the line's last sample; leave(j) as sample j drops out; then at(x, jBegin, jEnd)
// with the peak's taps, the window clipped to kMaxPeakTaps - 1 either side of x.
template <class Enter, class PastEnd, class Leave, class At>
void slideGlowWindow(int32_t K, int32_t n, Enter enter, PastEnd pastEnd, Leave leave, At at) {
    int32_t last = std::min(K, n) - 2;
    for (int32_t j = 0; j <= last; ++j)
        enter(j);
    int32_t left = 0;
    for (int32_t x = 0; x < n; ++x) {
        const int32_t R = std::min(x + K - 1, n - 1);
        if (R == last) {
            pastEnd();
        } else {
            enter(R);
            last = R;
        }
        if (left < x - K + 1) {
            leave(left);
            left = x - K + 1;
        }
        at(x, std::max(left, x - (kMaxPeakTaps - 1)), std::min(R, x + kMaxPeakTaps - 1));
    }
}

} // namespace AEUtil
