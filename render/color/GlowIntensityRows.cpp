// Mask weighting and intensity curve kernels; see GlowIntensityRows.h.
#include "render/color/GlowIntensityRows.h"

#include <cmath>

namespace AEUtil {

void combineWithMaskRow(const uint16_t *source, const uint16_t *mask, A_long width, uint16_t *dst) {
    for (A_long x = 0; x < width; ++x) {
        const uint32_t m = mask[x];
        const uint32_t w = static_cast<uint16_t>(m * m / 32768u);
        // w * A < 2^32 and the scale is a power of two, so the shift equals the double product.
        dst[x] = static_cast<uint16_t>((w * source[x]) >> 15);
    }
}

IntensityCurve::IntensityCurve(double intensity)
    : intensity_(intensity), denominator_(std::log10(intensity + 1.0)), removesGlow_(intensity == 0.0) {}

uint16_t IntensityCurve::apply(uint16_t v) const {
    if (v == 0 || removesGlow_)
        return 0;
    const double curved = std::trunc(std::log10(v * (1.0 / 32768.0) * intensity_ + 1.0) / denominator_ * 32768.0);
    // Guards the conversion against intensities outside the parameter's range (NaN, negative).
    if (!(curved > 0.0))
        return 0;
    return static_cast<uint16_t>(std::fmin(curved, 65535.0));
}

void applyIntensityCurveRow(uint16_t *row, A_long width, const IntensityCurve &curve) {
    for (A_long x = 0; x < width; ++x)
        row[x] = curve.apply(row[x]);
}

} // namespace AEUtil
