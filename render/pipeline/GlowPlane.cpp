// Plane memory and the render's open mask.
#include "render/pipeline/GlowPlane.h"

#include <cstring>

#include "host/kit/AEMemory.h"

namespace AEUtil {

SharedPtr<uint8_t> PlaneMemory::allocate(std::size_t bytes) const {
    if (basic)
        return allocShared<uint8_t>(bytes, basic);
    return SharedPtr<uint8_t>(new uint8_t[bytes], [](uint8_t *p) { delete[] p; });
}

void fillOpenMask(MaskPlane &mask) { mask.fillWhole(1); }

bool maskIsOpen(const MaskPlane &mask) {
    auto allSet = [](const uint8_t *p, int32_t n) { return n <= 0 || !std::memchr(p, 0, static_cast<std::size_t>(n)); };
    if (!allSet(mask.rowFlags, mask.height) || !allSet(mask.colFlags, mask.width))
        return false;
    for (int32_t y = 0; y < mask.height; ++y)
        if (!allSet(mask.row(y), mask.width))
            return false;
    return true;
}

} // namespace AEUtil
