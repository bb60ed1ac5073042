// Blend Mode popup to kernel mode; see BlendModeTable.h.
#include "render/composite/BlendModeTable.h"

#include <array>
#include <cstddef>

namespace AEUtil {

BlendKernelMode blendKernelMode(A_long popupValue) {
    static constexpr std::array<BlendKernelMode, 15> kTable = {
        kBlendKeepLower, kBlendNormal, kBlendKeepLower, kBlendAdd,        kBlendSubstract,
        kBlendMultiply,  kBlendScreen, kBlendOverlay,   kBlendHardLight,  kBlendSoftLight,
        kBlendKeepLower, kBlendDarken, kBlendLighten,   kBlendDifference, kBlendExclusion,
    };
    if (popupValue < 0 || popupValue >= static_cast<A_long>(kTable.size()))
        return kBlendKeepLower;
    return kTable[static_cast<std::size_t>(popupValue)];
}

} // namespace AEUtil
