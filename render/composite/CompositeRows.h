// Rows of the final composite, 8 and 16 bpc: compositePixel (PixelComposite.h) with the
// Blend Mode fixed per row instead of tested per pixel, 32-bit arithmetic where 8 bpc values
// allow it, its divisions by exact reciprocal and lookup tables, and glow-free pixels over
// opaque ones left alone. The results are compositePixel's, which stays the reference.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

namespace AEUtil {

// lower[x] composited with upper[x]; mode is a kernel mode (BlendModeTable.h).
void compositeRowFast(PF_Pixel8 *lower, const PF_Pixel8 *upper, A_long width, A_long mode);
void compositeRowFast(PF_Pixel16 *lower, const PF_Pixel16 *upper, A_long width, A_long mode);

// lower[x] composited with table[glow[x]].
void compositeRowFast(PF_Pixel8 *lower, const uint16_t *glow, const PF_Pixel8 *table, A_long width, A_long mode);
void compositeRowFast(PF_Pixel16 *lower, const uint16_t *glow, const PF_Pixel16 *table, A_long width,
                      A_long mode);

} // namespace AEUtil
