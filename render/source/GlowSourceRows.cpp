// Glow-source extraction kernels; see GlowSourceRows.h.
#include "render/source/GlowSourceRows.h"

#include <algorithm>
#include <cmath>

namespace AEUtil {

namespace {

// Weights added in this order: the order decides the last bit of L.
double weighted(double r, double g, double b, double scale) {
    double l = (g * 0.586611 + r * 0.298912 + b * 0.114478) * scale;
    l = std::min(l, 1.0);
    // Also turns NaN from a float source into 0.
    return l >= 0.0 ? l : 0.0;
}

// A pixel of alpha 0 has value 0 whatever its colour (the luminance is finite), so the enlarged
// area's transparent border costs no colour arithmetic.
template <typename Pixel>
void luminanceRow(const Pixel *src, A_long width, const ThresholdRule &rule, uint16_t *dst) {
    const uint16_t clear = rule.apply(0.0);
    for (A_long x = 0; x < width; ++x) {
        const uint16_t a = alpha16(src[x]);
        dst[x] = a == 0 ? clear : rule.apply(static_cast<double>(a) * luminance(src[x]));
    }
}

// Alpha soft zone: faded with the same fractional quotient as luminance, so Threshold Soft
// means the same thing in both channels.
template <typename Pixel>
void alphaRow(const Pixel *src, A_long width, const ThresholdRule &rule, uint16_t *dst) {
    for (A_long x = 0; x < width; ++x)
        dst[x] = src[x].alpha == 0 ? 0 : rule.apply(static_cast<double>(alpha16(src[x])));
}

} // namespace

ThresholdRule::ThresholdRule(A_long thr, A_long softWidth)
    : thrMinus1(thr - 1), lo(std::max(thr - 1 - softWidth, A_long{-1})), soft(softWidth) {}

uint16_t ThresholdRule::apply(double v) const {
    if (v > thrMinus1)
        return static_cast<uint16_t>(std::min(std::trunc(v + 0.5), 65535.0));
    if (v > lo && v <= thrMinus1) {
        // Non-empty zone implies soft > 0; the result is below v, so it fits 16 bits.
        const double faded = (v - lo) / soft * v + 0.5;
        return static_cast<uint16_t>(std::trunc(faded));
    }
    return 0; // also NaN
}

uint16_t alpha16(const PF_Pixel8 &p) { return static_cast<uint16_t>((p.alpha * 32768 + 128) / 255); }

uint16_t alpha16(const PF_Pixel16 &p) { return p.alpha; }

uint16_t alpha16(const PF_PixelFloat &p) {
    const double a = std::trunc(static_cast<double>(p.alpha) * 32768 + 0.5);
    // Out-of-range and NaN alphas are clamped rather than converted with undefined behaviour.
    if (!(a > 0.0))
        return 0;
    return static_cast<uint16_t>(std::min(a, 65535.0));
}

double luminance(const PF_Pixel8 &p) { return weighted(p.red, p.green, p.blue, 0.00392156862745098); }

double luminance(const PF_Pixel16 &p) { return weighted(p.red, p.green, p.blue, 1.0 / 32768.0); }

double luminance(const PF_PixelFloat &p) { return weighted(p.red, p.green, p.blue, 1.0); }

namespace {

template <class Pixel>
void extractRow(const Pixel *src, A_long width, const ThresholdRule &rule, A_long inputChannel, uint16_t *dst) {
    if (inputChannel == kInputChannelLuminance)
        luminanceRow(src, width, rule, dst);
    else
        alphaRow(src, width, rule, dst);
}

} // namespace

// Each depth's entry points are the templates above for its pixel.
#define LUMORA_SOURCE_ROWS(Pixel)                                                                                      \
    void extractLuminanceRow(const Pixel *src, A_long width, const ThresholdRule &rule, uint16_t *dst) {               \
        luminanceRow(src, width, rule, dst);                                                                           \
    }                                                                                                                  \
    void extractAlphaRow(const Pixel *src, A_long width, const ThresholdRule &rule, uint16_t *dst) {                   \
        alphaRow(src, width, rule, dst);                                                                               \
    }                                                                                                                  \
    void extractGlowSourceRow(const Pixel *src, A_long width, const ThresholdRule &rule, A_long inputChannel,          \
                              uint16_t *dst) {                                                                         \
        extractRow(src, width, rule, inputChannel, dst);                                                               \
    }
LUMORA_SOURCE_ROWS(PF_Pixel8)
LUMORA_SOURCE_ROWS(PF_Pixel16)
LUMORA_SOURCE_ROWS(PF_PixelFloat)
#undef LUMORA_SOURCE_ROWS

} // namespace AEUtil
