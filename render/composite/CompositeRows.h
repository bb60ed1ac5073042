// Rows of the final composite: at 8 and 16 bpc compositePixel (PixelComposite.h) with the
// Blend Mode fixed per row instead of tested per pixel, 32-bit arithmetic where 8 bpc values
// allow it, its divisions by exact reciprocal and lookup tables, and glow-free pixels over
// opaque ones left alone; at float compositePixel itself. The results are compositePixel's,
// which stays the reference.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"

namespace AEUtil {

// lower[x] composited with upper[x]; mode is a kernel mode (BlendModeTable.h).
void compositeRowFast(PF_Pixel8 *lower, const PF_Pixel8 *upper, A_long width, A_long mode);
void compositeRowFast(PF_Pixel16 *lower, const PF_Pixel16 *upper, A_long width, A_long mode);
void compositeRowFast(PF_PixelFloat *lower, const PF_PixelFloat *upper, A_long width, A_long mode);

// lower[x] composited with table[glow[x]]. Where lower[x] is transparent black the result depends
// on the glow value alone: overClear[glow[x]], when given, holds it.
void compositeRowFast(PF_Pixel8 *lower, const uint16_t *glow, const PF_Pixel8 *table, const PF_Pixel8 *overClear,
                      A_long width, A_long mode);
void compositeRowFast(PF_Pixel16 *lower, const uint16_t *glow, const PF_Pixel16 *table, const PF_Pixel16 *overClear,
                      A_long width, A_long mode);
void compositeRowFast(PF_PixelFloat *lower, const uint16_t *glow, const PF_PixelFloat *table,
                      const PF_PixelFloat *overClear, A_long width, A_long mode);

// out[i] = transparent black composited with upper[i], for i in [0, count).
void compositeOverClear(const PF_Pixel8 *upper, std::size_t count, A_long mode, PF_Pixel8 *out);
void compositeOverClear(const PF_Pixel16 *upper, std::size_t count, A_long mode, PF_Pixel16 *out);
void compositeOverClear(const PF_PixelFloat *upper, std::size_t count, A_long mode, PF_PixelFloat *out);

} // namespace AEUtil
