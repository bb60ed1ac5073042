// Plane memory and the render's open mask.
#include "render/GlowPlane.h"

#include "host/AEMemory.h"

namespace AEUtil {

SharedPtr<uint8_t> PlaneMemory::allocate(std::size_t bytes) const {
    if (basic)
        return allocShared<uint8_t>(bytes, basic);
    return SharedPtr<uint8_t>(new uint8_t[bytes], [](uint8_t *p) { delete[] p; });
}

void fillOpenMask(MaskPlane &mask) {
    for (int32_t y = 0; y < mask.height; ++y)
        for (int32_t x = 0; x < mask.width; ++x)
            mask.row(y)[x] = 1;
    for (int32_t y = 0; y < mask.height; ++y)
        mask.rowFlags[y] = 1;
    for (int32_t x = 0; x < mask.width; ++x)
        mask.colFlags[x] = 1;
    mask.status = mask.content = 0;
}

} // namespace AEUtil
