#include "colorbar/ColorHsv.h"

#include <algorithm>
#include <cmath>

namespace AEUtil {

HsvColor rgbToHsv(double r, double g, double b) noexcept {
    const double v = std::max({r, g, b});
    const double m = std::min({r, g, b});
    const double d = v - m;
    const double s = v == 0.0 ? 0.0 : d / v;
    double h = 0.0;
    if (s != 0.0) {
        if (v == r)
            h = (g - b) / d;
        else if (v == g)
            h = (b - r) / d + 2.0;
        else
            h = (r - g) / d + 4.0;
        // This decimal literal, not 1/6: stored tints depend on its rounding.
        h *= 0.166666666666667;
        if (h < 0.0)
            h += 1.0;
    }
    return {h, s, v};
}

RgbaColor hsvToRgb(double hue, double saturation, double value) noexcept {
    const double h = hue - std::trunc(hue);
    const double six = 6.0 * h;
    if (!(six > -7.0 && six < 7.0)) // NaN or infinite hue
        return {0.0, 0.0, 0.0, 1.0};
    const int sector = static_cast<int>(six);
    const double f = six - sector;
    const double v = value;
    const double p = v * (1.0 - saturation);
    const double q = v * (1.0 - saturation * f);
    const double t = v * (1.0 - saturation * (1.0 - f));
    switch (sector) {
    case 0: return {v, t, p, 1.0};
    case 1: return {q, v, p, 1.0};
    case 2: return {p, v, t, 1.0};
    case 3: return {p, q, v, 1.0};
    case 4: return {t, p, v, 1.0};
    case 5: return {v, p, q, 1.0};
    default: return {0.0, 0.0, 0.0, 1.0};
    }
}

} // namespace AEUtil
