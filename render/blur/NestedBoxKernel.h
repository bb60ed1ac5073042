// The glow kernel as nested boxes, which lets the fast blurs take a window's weighted sum from
// prefix sums at a cost that grows with the kernel's number of distinct weights, not its width.
#pragma once

#include <cstdint>
#include <vector>

#include "render/blur/GlowKernel.h"

namespace AEUtil {

// The kernel as nested boxes: w[|k|] = sum over m >= |k| of steps[m], so the weighted sum of a
// window is sum of steps[m] x (plain sum over [x - m, x + m]). Steps may be of either sign; the
// sums are taken modulo 2^32, where the true values (all below 2^32) come out exactly.
struct NestedBoxKernel {
    int32_t peakTaps = 1;        // L: the peak covers |j - x| <= L - 1
    int32_t halfWidth = 1;       // K: the box covers |j - x| <= K - 1
    uint32_t box = 0;            // o: 0 when the kernel has no box share
    uint32_t fullWeight = 0;     // the peak's weight sum over a whole window
    std::vector<int32_t> radii;  // m of every non-zero step
    std::vector<uint32_t> steps; // its step, modulo 2^32
};
NestedBoxKernel nestedBoxes(const GlowKernel &k);

// The peak's weight sum at x, the window clipped to a line of n samples.
uint32_t clippedWeight(int32_t n, int32_t x, const NestedBoxKernel &k);

} // namespace AEUtil
