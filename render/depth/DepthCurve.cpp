// The depth response curve: four straight segments through (0, 0), (knee, h), (centre, 16384),
// (last, g) and towards (32768, 32768), in exact integer steps.
#include "render/depth/DepthCurve.h"

#include <algorithm>
#include <cmath>

namespace AEUtil {

namespace {

// Percent settings outside the slider's range (or NaN) must not move the knees off the table.
double clampPercent(double v) { return v > 0.0 ? std::min(v, 100.0) : 0.0; }

// Entries [from, to): base + acc / (to - from), acc starting at 0 and growing by `rise` per
// entry. An empty range writes nothing, so no division by zero.
void segment(uint16_t *table, int32_t from, int32_t to, int32_t base, int32_t rise) {
    const int64_t length = to - from;
    int64_t acc = 0;
    for (int32_t i = from; i < to; ++i) {
        table[i] = static_cast<uint16_t>(base + acc / length);
        acc += rise;
    }
}

} // namespace

DepthCurve::DepthCurve(double centerPosition, double depthBias, const PlaneMemory &mem)
    : block_(mem.allocate(kEntries * sizeof(uint16_t))) {
    const auto centre = static_cast<int32_t>(std::trunc(clampPercent(centerPosition) * 32767.0 / 100.0 + 0.5));
    const auto c = static_cast<int32_t>(std::trunc((100.0 - clampPercent(depthBias)) * 16384.0 / 100.0 + 0.5));
    const int32_t d = 16384 - c;
    // Products stay below 2^31 for clamped inputs; 64 bits only keeps that obvious.
    const auto knee = static_cast<int32_t>(int64_t{d} * centre * 2 / 32768);
    const auto f = static_cast<int32_t>(int64_t{32768 - centre} * c * 2 / 32768);
    const int32_t h = d / 2;
    const int32_t g = (c + 49152) / 2;
    const int32_t last = centre + f;

    auto *table = reinterpret_cast<uint16_t *>(block_.get());
    segment(table, 0, knee, 0, h);
    segment(table, knee, centre, h, 16384 - h);
    segment(table, centre, last, 16384, g - 16384);
    segment(table, last, static_cast<int32_t>(kEntries), g, 32768 - g);
}

} // namespace AEUtil
