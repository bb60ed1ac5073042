// Depth branch kernels; see DepthRows.h.
#include "render/depth/DepthRows.h"

#include <algorithm>
#include <cmath>

#include "render/source/GlowSourceRows.h"

namespace AEUtil {

namespace {

// trunc(v), limited to the table's 0 ... 32767; NaN reads as 0.
uint16_t toIndex(double v) {
    if (!(v > 0.0))
        return 0;
    return static_cast<uint16_t>(std::min(std::trunc(v), 32767.0));
}

// Alpha as a fraction of its 16-bit value, in single precision.
float alphaFraction(uint16_t a16) { return static_cast<float>(a16) * (1.0f / 32768.0f); }

// 8 and 16 bpc: L capped at 1 (luminance() caps, and its 8 bpc scale is exactly 1 / 255).
template <class Pixel>
uint16_t cappedDepthIndex(const Pixel &p) {
    return toIndex(luminance(p) * alphaFraction(alpha16(p)) * 32767.0);
}

// a' by luminance: luminance() is already 0 ... 1, so Lq is 0 ... 32768 and Lq * a16 fits 32 bits.
template <class Pixel>
uint16_t luminanceValue(const Pixel &p) {
    const auto lq = static_cast<uint32_t>(std::trunc(luminance(p) * 32768.0));
    return static_cast<uint16_t>(lq * alpha16(p) / 32768u);
}

} // namespace

uint16_t depthIndex(const PF_Pixel8 &p) { return cappedDepthIndex(p); }
uint16_t depthIndex(const PF_Pixel16 &p) { return cappedDepthIndex(p); }

// Float: the weighted sum is not capped, so over-bright depth saturates only at the index limit.
uint16_t depthIndex(const PF_PixelFloat &p) {
    const double sum = static_cast<double>(p.green) * 0.586611 + static_cast<double>(p.red) * 0.298912 +
                       static_cast<double>(p.blue) * 0.114478;
    return toIndex(sum * static_cast<double>(p.alpha) * 32767.0);
}

uint16_t depthLuminanceValue(const PF_Pixel8 &p) { return luminanceValue(p); }
uint16_t depthLuminanceValue(const PF_Pixel16 &p) { return luminanceValue(p); }
uint16_t depthLuminanceValue(const PF_PixelFloat &p) { return luminanceValue(p); }

uint16_t maskedSquare(uint32_t value, uint16_t mask) {
    // A mask above full strength would make k negative; it weighs as full.
    const uint32_t k = 32768u - std::min<uint32_t>(mask, 32768u);
    const uint32_t x = k * std::min<uint32_t>(value, 65535u) / 32768u;
    return static_cast<uint16_t>(std::min<uint32_t>(x * x / 32768u, 65535u));
}

DepthSourceRule::DepthSourceRule(int32_t thr, int32_t soft)
    : thrMinus1_(int64_t{thr} - 1), lo_(std::max(int64_t{thr} - soft, int64_t{-1})), soft_(soft) {}

uint16_t DepthSourceRule::apply(uint32_t value, uint16_t mask) const {
    // The threshold judges the unmasked value; only the output carries the mask.
    const int64_t v = value;
    if (v > thrMinus1_)
        return maskedSquare(value, mask);
    if (v > lo_) {
        // A non-empty zone needs soft > 1; the faded value stays below s.
        const double q = static_cast<double>(v - lo_) / soft_;
        return static_cast<uint16_t>(std::trunc(q * maskedSquare(value, mask) + 0.5));
    }
    return 0;
}

DepthIntensityCurve::DepthIntensityCurve(double intensity)
    // k - 1 taken from k, as the curve states it (it may differ from p in the last bit).
    : scale_((intensity + 1.0) - 1.0), denominator_(std::log10(intensity + 1.0)), flat_(!(denominator_ > 0.0)) {}

uint16_t DepthIntensityCurve::apply(uint16_t v, uint16_t mask) const {
    if (v == 0 || flat_)
        return 0;
    const uint32_t k = 32768u - std::min<uint32_t>(mask, 32768u);
    const auto w = static_cast<uint16_t>(k * k / 32768u);
    const double curved = std::trunc(
        std::log10(w * (1.0 / 32768.0) * (v * (1.0 / 32768.0) * scale_) + 1.0) / denominator_ * 32768.0 + 0.5);
    // Guards the conversion against intensities far outside the parameter's range.
    if (!(curved > 0.0))
        return 0;
    return static_cast<uint16_t>(std::min(curved, 65535.0));
}

template <class Pixel>
void depthMaskRow(const Pixel *src, int32_t width, const uint16_t *curve, uint16_t *dst) {
    for (int32_t x = 0; x < width; ++x)
        dst[x] = curve[depthIndex(src[x])];
}

template <class Pixel>
void extractDepthSourceRow(const Pixel *src, int32_t width, const uint16_t *mask, const DepthSourceRule &rule,
                           A_long inputChannel, uint16_t *dst) {
    const bool byLuminance = inputChannel == kInputChannelLuminance;
    for (int32_t x = 0; x < width; ++x) {
        const uint16_t value = byLuminance ? depthLuminanceValue(src[x]) : alpha16(src[x]);
        dst[x] = rule.apply(value, mask[x]);
    }
}

void applyDepthIntensityRow(uint16_t *row, const uint16_t *mask, int32_t width, const DepthIntensityCurve &curve) {
    for (int32_t x = 0; x < width; ++x)
        row[x] = curve.apply(row[x], mask[x]);
}

template void depthMaskRow(const PF_Pixel8 *, int32_t, const uint16_t *, uint16_t *);
template void depthMaskRow(const PF_Pixel16 *, int32_t, const uint16_t *, uint16_t *);
template void depthMaskRow(const PF_PixelFloat *, int32_t, const uint16_t *, uint16_t *);
template void extractDepthSourceRow(const PF_Pixel8 *, int32_t, const uint16_t *, const DepthSourceRule &, A_long,
                                    uint16_t *);
template void extractDepthSourceRow(const PF_Pixel16 *, int32_t, const uint16_t *, const DepthSourceRule &, A_long,
                                    uint16_t *);
template void extractDepthSourceRow(const PF_PixelFloat *, int32_t, const uint16_t *, const DepthSourceRule &, A_long,
                                    uint16_t *);

} // namespace AEUtil
