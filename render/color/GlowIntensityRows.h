// Per-row kernels on 16-bit glow samples (32768 = 1.0): weighting the glow source by the square
// of the depth mask, and the logarithmic Glow Intensity curve.
#ifndef LUMORA_RENDER_GLOWINTENSITYROWS_H
#define LUMORA_RENDER_GLOWINTENSITYROWS_H

#include "A.h"

#include <cstdint>

namespace AEUtil {

// dst[x] = trunc(w * 2^-15 * source[x]) with w = mask[x]^2 / 32768 kept to 16 bits.
void combineWithMaskRow(const uint16_t *source, const uint16_t *mask, A_long width, uint16_t *dst);

// The curve for one Glow Intensity, with its denominator computed once.
class IntensityCurve {
public:
    explicit IntensityCurve(double intensity);

    uint16_t apply(uint16_t v) const;

private:
    double intensity_;
    double denominator_; // log10(I + 1)
    bool removesGlow_;   // I = 0: the curve's 0 / 0 means "no glow"
};

// In place over one row.
void applyIntensityCurveRow(uint16_t *row, A_long width, const IntensityCurve &curve);

} // namespace AEUtil

#endif
