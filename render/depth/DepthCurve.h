// The depth response curve: for each depth value 0 ... 32767 the depth mask weight on the
// 16-bit scale (32768 = 1.0), set by Center Position and Depth Bias. Lives for one render.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/pipeline/GlowPlane.h"

namespace AEUtil {

class DepthCurve {
public:
    static constexpr std::size_t kEntries = 32768;

    // Both in percent. Builds the table in host memory (or the heap when `mem` has no suite);
    // out of memory raises the host's error.
    DepthCurve(double centerPosition, double depthBias, const PlaneMemory &mem);

    const uint16_t *data() const { return reinterpret_cast<const uint16_t *>(block_.get()); }
    uint16_t operator[](std::size_t i) const { return data()[i]; }
    // Gives the memory back as soon as the mask is built.
    void release() { block_.reset(); }

private:
    SharedPtr<uint8_t> block_;
};

} // namespace AEUtil
