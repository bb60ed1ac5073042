// Colour of a gradient at a position, and the gradient painted into a row of pixels.
#pragma once

#include <cstdint>

#include "AE_Effect.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

// The colour of `list` at `x` (not clamped). An empty list gives alpha 0, red 0, green 0,
// blue 255; between two flags the colour bytes blend and alpha is 255. A list with the sorted
// mark is searched as sorted; without it one pass finds the neighbours in storage order.
PF_Pixel sampleGradient(const ColorFlagList &list, float x) noexcept;

// Fills `width` pixels whose bytes in memory are blue, green, red, alpha. Flags at negative
// positions (dragged off the bar) are skipped; with none left the row is opaque black.
void rasterizeGradient(const ColorFlagList &list, std::uint32_t *pixels, A_long width) noexcept;

// Truncates toward zero and keeps the low byte; out-of-range and NaN inputs stay defined.
A_u_char truncateToByte(double value) noexcept;

} // namespace AEUtil
