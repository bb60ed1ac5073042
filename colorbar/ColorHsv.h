// Conversions between RGB and HSV in doubles, used to tint the glow and to build the
// interface palette.
#pragma once

namespace AEUtil {

struct HsvColor {
    double hue;        // [0, 1)
    double saturation; // [0, 1]
    double value;
};

struct RgbaColor {
    double red;
    double green;
    double blue;
    double alpha;
};

HsvColor rgbToHsv(double r, double g, double b) noexcept;
// The hue is taken modulo 1 (its integer part dropped); alpha is always 1.
RgbaColor hsvToRgb(double hue, double saturation, double value) noexcept;

} // namespace AEUtil
