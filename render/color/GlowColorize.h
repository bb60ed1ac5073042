// Colourise: turns one row of the one-channel glow into glow-image pixels, coloured from the
// gradient by glow value or angle, or with the source's colours, optionally tinted.
#pragma once

#include <cstdint>

#include "AE_Effect.h"
#include "colorbar/ColorHsv.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

enum class ColorRule : A_long { Normal = 1, AngleMap = 2, OriginalColors = 3 };

// What every row of one Colourise call shares. gradient is the caller's own copy; hueWrap is the
// 32769-entry HueWrapTable and may be null when tint is off.
struct ColorizeSettings {
    ColorRule rule = ColorRule::Normal;
    bool tint = false;
    PF_Pixel tintColor{};
    const int8_t *hueWrap = nullptr;
    const ColorFlagList *gradient = nullptr;
};

// A gradient byte on the 16-bit scale: floor((x * 32768 + 128) / 255).
A_u_short byteTo16(A_u_char x);

// The gradient position of a glow value or angle: 1 - v * 2^-15 in single precision.
float gradientPosition(uint16_t v);

// The tinted colour of a pixel whose colour is `colour` (HSV inputs on [0, 1]); `wrap` is the
// HueWrapTable entry of the pixel's glow value.
HsvColor tintHsv(const HsvColor &color, const HsvColor &tint, int wrap);

// Only lit pixels (glow != 0) are written. angle is read for the angle-map rule, source for the
// original-colours rule; either may be null when the rule does not read it.
void colorizeRow(PF_Pixel8 *out, const uint16_t *glow, A_long width,
                 const ColorizeSettings &s); // "Normal" rule only
void colorizeRow(PF_Pixel16 *out, const PF_Pixel16 *source, const uint16_t *glow, const uint16_t *angle, A_long width,
                 const ColorizeSettings &s);
void colorizeRow(PF_PixelFloat *out, const PF_PixelFloat *source, const uint16_t *glow, const uint16_t *angle,
                 A_long width, const ColorizeSettings &s);

} // namespace AEUtil
