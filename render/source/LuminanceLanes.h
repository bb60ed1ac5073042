// The Luminance extraction of 8 and 16 bpc rows, eight pixels a step in double lanes: the
// literal row's IEEE operations in its order, so its values to the bit. Built per instruction
// set (LuminanceLanes.simd.cpp) and chosen at run time.
#pragma once

#include <cstdint>
#include <vector>

#include "render/pipeline/IsaChoice.h"

namespace AEUtil {

struct ThresholdRule;

// A ThresholdRule as plain numbers: the kernels share no inline code with the rest.
struct LuminanceLaneRule {
    double thrMinus1 = 0, lo = 0, soft = 1;
    uint16_t clear = 0; // the rule at v = 0, given to pixels of alpha 0
};
LuminanceLaneRule luminanceLaneRule(const ThresholdRule &rule);

// Channels in the host's order (alpha, red, green, blue), `width` pixels.
using Luminance8Kernel = void (*)(const uint8_t *argb, int32_t width, const LuminanceLaneRule &, uint16_t *dst);
using Luminance16Kernel = void (*)(const uint16_t *argb, int32_t width, const LuminanceLaneRule &, uint16_t *dst);

struct LuminanceLanes {
    Luminance8Kernel run8;
    Luminance16Kernel run16;
};
// Every build this CPU runs, the fastest first.
const std::vector<IsaVariant<LuminanceLanes>> &luminanceLaneVariants();

} // namespace AEUtil
