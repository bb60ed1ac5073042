// Colour comes first in a common normalised form (HSV on [0, 1]) only when the tint needs it;
// untinted pixels keep the exact integer conversions of each depth.
#include "render/color/GlowColorize.h"

#include <algorithm>
#include <cmath>

#include "colorbar/GradientSampling.h"

namespace AEUtil {

namespace {

constexpr float kInv15 = 1.0f / 32768.0f;

struct Rgb16 {
    A_u_short red, green, blue;
};

HsvColor hsvOf(double r, double g, double b) { return rgbToHsv(r, g, b); }

HsvColor tintHsv16(const PF_Pixel &t) {
    return hsvOf(byteTo16(t.red) * 0x1p-15, byteTo16(t.green) * 0x1p-15, byteTo16(t.blue) * 0x1p-15);
}

// Channel of hsvToRgb to a stored 16-bit or 8-bit value, through single precision.
A_u_short store16(double c) {
    const float f = static_cast<float>(c) * 32768.0f + 0.5f;
    return static_cast<A_u_short>(std::trunc(std::clamp(f, 0.0f, 65535.0f)));
}

A_u_char store8(double c) {
    const float f = static_cast<float>(c) * 255.0f + 0.5f;
    return static_cast<A_u_char>(std::trunc(std::clamp(f, 0.0f, 255.0f)));
}

// The rule's colour on the 16-bit scale, or false when the pixel is not to be written.
bool ruleColor16(Rgb16 &rgb, const ColorizeSettings &s, const PF_Pixel16 *source, const uint16_t *angle, A_long x,
                 uint16_t v) {
    if (s.rule == ColorRule::OriginalColors) {
        if (source[x].alpha == 0)
            return false;
        rgb = {source[x].red, source[x].green, source[x].blue};
        return true;
    }
    const uint16_t index = s.rule == ColorRule::AngleMap ? angle[x] : v;
    const PF_Pixel g = sampleGradient(*s.gradient, gradientPosition(index));
    rgb = {byteTo16(g.red), byteTo16(g.green), byteTo16(g.blue)};
    return true;
}

} // namespace

A_u_short byteTo16(A_u_char x) { return static_cast<A_u_short>((static_cast<uint32_t>(x) * 32768u + 128u) / 255u); }

float gradientPosition(uint16_t v) { return 1.0f - static_cast<float>(v) * kInv15; }

HsvColor tintHsv(const HsvColor &color, const HsvColor &tint, int wrap) {
    const double e = wrap + color.hue;
    double hue = (tint.hue - e) * tint.saturation + e;
    while (hue < 0.0)
        hue += 1.0;
    return {hue, std::min(tint.saturation + color.saturation, 1.0) * tint.value, color.value};
}

void colorizeRow(PF_Pixel8 *out, const uint16_t *glow, A_long width, const ColorizeSettings &s) {
    const HsvColor tint = hsvOf(s.tintColor.red / 255.0, s.tintColor.green / 255.0, s.tintColor.blue / 255.0);
    for (A_long x = 0; x < width; ++x) {
        const uint16_t v = glow[x];
        if (v == 0)
            continue;
        const PF_Pixel g = sampleGradient(*s.gradient, gradientPosition(v));
        PF_Pixel8 &p = out[x];
        p.alpha = static_cast<A_u_char>((static_cast<uint32_t>(v) * 255u + 16384u) >> 15);
        if (!s.tint) {
            p.red = g.red;
            p.green = g.green;
            p.blue = g.blue;
            continue;
        }
        const HsvColor h = tintHsv(hsvOf(g.red / 255.0, g.green / 255.0, g.blue / 255.0), tint, s.hueWrap[v]);
        const RgbaColor c = hsvToRgb(h.hue, h.saturation, h.value);
        p.red = store8(c.red);
        p.green = store8(c.green);
        p.blue = store8(c.blue);
    }
}

void colorizeRow(PF_Pixel16 *out, const PF_Pixel16 *source, const uint16_t *glow, const uint16_t *angle, A_long width,
                 const ColorizeSettings &s) {
    const HsvColor tint = tintHsv16(s.tintColor);
    for (A_long x = 0; x < width; ++x) {
        const uint16_t v = glow[x];
        Rgb16 rgb{};
        if (v == 0 || !ruleColor16(rgb, s, source, angle, x, v))
            continue;
        PF_Pixel16 &p = out[x];
        p.alpha = v;
        if (!s.tint) {
            p.red = rgb.red;
            p.green = rgb.green;
            p.blue = rgb.blue;
            continue;
        }
        const HsvColor h =
            tintHsv(hsvOf(rgb.red * 0x1p-15, rgb.green * 0x1p-15, rgb.blue * 0x1p-15), tint, s.hueWrap[v]);
        const RgbaColor c = hsvToRgb(h.hue, h.saturation, h.value);
        p.red = store16(c.red);
        p.green = store16(c.green);
        p.blue = store16(c.blue);
    }
}

void colorizeRow(PF_PixelFloat *out, const PF_PixelFloat *source, const uint16_t *glow, const uint16_t *angle,
                 A_long width, const ColorizeSettings &s) {
    const HsvColor tint = tintHsv16(s.tintColor);
    for (A_long x = 0; x < width; ++x) {
        const uint16_t v = glow[x];
        if (v == 0)
            continue;
        float r, g, b;
        if (s.rule == ColorRule::OriginalColors) {
            if (source[x].alpha == 0)
                continue;
            r = source[x].red;
            g = source[x].green;
            b = source[x].blue;
        } else {
            const uint16_t index = s.rule == ColorRule::AngleMap ? angle[x] : v;
            const PF_Pixel c = sampleGradient(*s.gradient, gradientPosition(index));
            r = byteTo16(c.red) * kInv15;
            g = byteTo16(c.green) * kInv15;
            b = byteTo16(c.blue) * kInv15;
        }
        PF_PixelFloat &p = out[x];
        p.alpha = v * kInv15;
        if (!s.tint) {
            p.red = r;
            p.green = g;
            p.blue = b;
            continue;
        }
        const HsvColor h = tintHsv(hsvOf(r, g, b), tint, s.hueWrap[v]);
        const RgbaColor c = hsvToRgb(h.hue, h.saturation, h.value);
        p.red = static_cast<float>(c.red);
        p.green = static_cast<float>(c.green);
        p.blue = static_cast<float>(c.blue);
    }
}

} // namespace AEUtil
