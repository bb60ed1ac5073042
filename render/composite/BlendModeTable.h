// Kernel mode numbers of the blend kernel, and the fixed mapping from the Blend Mode popup
// (whose separators map to "leave the lower colour unchanged").
#ifndef LUMORA_RENDER_BLENDMODETABLE_H
#define LUMORA_RENDER_BLENDMODETABLE_H

#include "A.h"

namespace AEUtil {

enum BlendKernelMode : A_long {
    kBlendKeepLower = 0,
    kBlendNormal = 1,
    kBlendAdd = 2,
    kBlendSubstract = 3,
    kBlendMultiply = 4,
    kBlendScreen = 5,
    kBlendOverlay = 6,
    kBlendHardLight = 7,
    kBlendSoftLight = 8,
    kBlendDarken = 9,
    kBlendLighten = 10,
    kBlendDifference = 11,
    kBlendExclusion = 12,
    kBlendTakeUpper = 13, // reached by no popup value
};

// Popup values outside 0 ... 14 give kBlendKeepLower.
BlendKernelMode blendKernelMode(A_long popupValue);

} // namespace AEUtil

#endif
