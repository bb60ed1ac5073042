#include "render/blur/NestedBoxKernel.h"

#include <algorithm>

namespace AEUtil {

NestedBoxKernel nestedBoxes(const GlowKernel &k) {
    NestedBoxKernel n;
    n.peakTaps = k.length();
    n.halfWidth = k.halfWidth;
    n.box = k.box;
    for (int32_t m = 0; m < n.peakTaps; ++m) {
        const uint32_t w = k.weights[static_cast<std::size_t>(m)];
        const uint32_t next = m + 1 < n.peakTaps ? k.weights[static_cast<std::size_t>(m) + 1] : 0u;
        n.fullWeight += (m == 0 ? 1u : 2u) * w;
        if (w != next) {
            n.radii.push_back(m);
            n.steps.push_back(w - next);
        }
    }
    return n;
}

uint32_t clippedWeight(int32_t n, int32_t x, const NestedBoxKernel &k) {
    uint32_t weight = 0;
    for (std::size_t i = 0; i < k.radii.size(); ++i) {
        const int32_t lo = std::max(x - k.radii[i], 0);
        const int32_t hi = std::min(x + k.radii[i], n - 1);
        weight += k.steps[i] * static_cast<uint32_t>(hi - lo + 1);
    }
    return weight;
}

} // namespace AEUtil
