// Per-pixel and per-row kernels of the depth branch: the depth index of a depth-map pixel, the
// depth glow source weighted by (1 - M) and squared, and the depth intensity curve.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

namespace AEUtil {

// Depth value 0 ... 32767 that indexes the DepthCurve; transparent or black reads as 0.
uint16_t depthIndex(const PF_Pixel8 &p);
uint16_t depthIndex(const PF_Pixel16 &p);
uint16_t depthIndex(const PF_PixelFloat &p); // NaN, negative and huge values clamp into range

// The unmasked source value a' on the 16-bit scale: trunc(L * 32768) weighted by alpha.
uint16_t depthLuminanceValue(const PF_Pixel8 &p);
uint16_t depthLuminanceValue(const PF_Pixel16 &p);
uint16_t depthLuminanceValue(const PF_PixelFloat &p);

// x = (k * a') / 32768 with k = 32768 - M, then (x * x) / 32768; saturates at 65535.
uint16_t maskedSquare(uint32_t value, uint16_t mask);

// Which a' pass whole, fade or give 0. The zone's lower edge is thr - soft (one above the
// glow source's), and it fades with the fractional quotient like the luminance extraction.
class DepthSourceRule {
public:
    DepthSourceRule(int32_t thr, int32_t soft);

    // Output for a' = `value` under mask value `mask`.
    uint16_t apply(uint32_t value, uint16_t mask) const;

    int64_t thrMinus1() const { return thrMinus1_; }
    int64_t lo() const { return lo_; }

private:
    int64_t thrMinus1_;
    int64_t lo_;
    int32_t soft_;
};

// The depth intensity curve for the intensity p the caller passes (k = p + 1).
class DepthIntensityCurve {
public:
    explicit DepthIntensityCurve(double intensity);

    uint16_t apply(uint16_t v, uint16_t mask) const;

private:
    double scale_;       // k - 1
    double denominator_; // log10(k)
    bool flat_;          // log10(k) <= 0 or NaN: every sample becomes 0
};

// One row each; `curve` has 32768 entries, `mask` and `dst` `width` samples.
template <class Pixel>
void depthMaskRow(const Pixel *src, int32_t width, const uint16_t *curve, uint16_t *dst);
// inputChannel 1 reads luminance, anything else alpha.
template <class Pixel>
void extractDepthSourceRow(const Pixel *src, int32_t width, const uint16_t *mask, const DepthSourceRule &rule,
                           A_long inputChannel, uint16_t *dst);
void applyDepthIntensityRow(uint16_t *row, const uint16_t *mask, int32_t width, const DepthIntensityCurve &curve);

} // namespace AEUtil
