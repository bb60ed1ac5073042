// The 16-bit colour blur's line pass from prefix sums of the masked samples: the same integers
// as the tap-by-tap pass of BlurGlowWorld (kept as the oracle), nothing computed where the
// window holds only zeros.
#pragma once

#include <cstdint>
#include <vector>

#include "render/PlaneBlurFast.h"

namespace AEUtil {

struct ColorBlurScratch {
    std::vector<uint32_t> prefix[4], count, acc[4], weight;
};

// One line of n pixels given as four channel arrays: out[c][x] for every x with mask[x] set,
// exactly as the literal pass writes it; other entries are left alone.
void blurColorLine16Fast(const uint16_t *const in[4], const uint8_t *mask, int32_t n, const NestedBoxKernel &k,
                         ColorBlurScratch &scratch, uint16_t *const out[4]);

} // namespace AEUtil
