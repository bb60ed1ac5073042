// The fixed-point half Gaussian both glow blurs share; beyond 300 taps the flat tail is split
// off as a box so a pass costs the same per sample whatever the radius.
#pragma once

#include <cstdint>
#include <vector>

namespace AEUtil {

struct GlowKernel {
    std::vector<uint16_t> weights; // index = distance from the centre; at most 300
    int32_t halfWidth = 1;         // K: taps -(K-1) ... K-1
    uint16_t tail = 0;             // t: weight every tap of the full width carries besides the peak
    uint16_t box = 0;              // o = (2K-1) t: the share applied as a flat box mean
    int32_t length() const { return static_cast<int32_t>(weights.size()); }
};

inline constexpr int32_t kMaxPeakTaps = 300;

// 2 * sum(weights) - weights[0] + box is exactly 32768.
GlowKernel MakeGlowKernel(int32_t halfWidth, double variance);

} // namespace AEUtil
