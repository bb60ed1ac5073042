// Plane memory and the render's open mask.
#include "render/GlowPlane.h"

#include "host/AEMemory.h"

namespace AEUtil {

SharedPtr<uint8_t> PlaneMemory::allocate(std::size_t bytes) const {
    if (basic)
        return allocShared<uint8_t>(bytes, basic);
    return SharedPtr<uint8_t>(new uint8_t[bytes], [](uint8_t *p) { delete[] p; });
}

void fillOpenMask(MaskPlane &mask) { mask.fillWhole(1); }

} // namespace AEUtil
