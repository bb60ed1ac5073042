// The float colour blur on two pixel lines at once, one double lane per line and channel.
// Each lane runs the tap-by-tap pass's own sequence of additions (the box's running sums, the
// peak's taps in order), so its sums, and the floats it writes, are that pass's.
#pragma once

#include <cstddef>
#include <cstdint>

namespace AEUtil {

inline constexpr int32_t kFloatLines = 2;
inline constexpr int32_t kFloatLanes = 4 * kFloatLines;

// Up to kFloatLines adjacent lines of a float world's rectangle, read from src and written to
// dst where the mask is set.
struct FloatLaneBlock {
    bool rows = true;              // the lines are rows; else columns
    int32_t n = 0;                 // pixels per line
    int32_t first = 0, count = 0;  // lines first ... first + count - 1
    uint32_t laneOn = 0;           // bit k: line first + k takes part (the mask's line flag)
    const float *src = nullptr;    // the rectangle's top-left pixel, 4 floats a pixel
    const uint8_t *mask = nullptr; // null: every pixel of the lines taking part is open
    float *dst = nullptr;
    std::ptrdiff_t srcStride = 0, maskStride = 0, dstStride = 0; // floats (mask: bytes) from row to row
    // The kernel: peak weights by distance, K, and the box share.
    const uint16_t *kernel = nullptr;
    int32_t peakTaps = 1, halfWidth = 1;
    uint32_t box = 0;
    const uint16_t *weights = nullptr; // per pixel: the peak's weight sum clipped to the line, 16-bit
    // Working memory: n x kFloatLanes floats each, n x kFloatLanes bytes, n + 1 counts.
    float *in = nullptr, *out = nullptr;
    uint8_t *gate = nullptr;
    uint32_t *lit = nullptr;
};

using FloatLaneKernel = void (*)(const FloatLaneBlock &);

} // namespace AEUtil
