// The glow gradient's hue unwrapped along the glow value: table[v] + hue(v) follows the hue
// without its jumps at 0/1, so the depth tint can mix hues without a seam.
#pragma once

#include <cstddef>
#include <cstdint>

#include "colorbar/data/GradientData.h"
#include "render/pipeline/GlowPlane.h"

namespace AEUtil {

class HueWrapTable {
public:
    static constexpr std::size_t kEntries = 32769; // glow values 0 ... 32768

    // How gradient bytes enter the hue: c / 255 at 8 bpc; at 16 bpc and float through the
    // 16-bit value, ((c * 32768 + 128) / 255) / 32768.
    enum class Channels { Bytes8, Scaled16 };

    // Builds the table in host memory (or the heap when `mem` has no suite); out of memory
    // raises the host's error.
    HueWrapTable(const ColorFlagList &gradient, Channels channels, const PlaneMemory &mem);

    const int8_t *data() const { return reinterpret_cast<const int8_t *>(block_.get()); }
    int8_t operator[](std::size_t v) const { return data()[v]; }
    // Gives the memory back before the table goes out of scope.
    void release() { block_.reset(); }

    // The hue the table compares: the gradient at 1 - v * 2^-15, in [0, 1).
    static double hueAt(const ColorFlagList &gradient, Channels channels, uint32_t v);

private:
    SharedPtr<uint8_t> block_;
};

} // namespace AEUtil
