// Blend kernel in three forms; see BlendKernel.h. All three mix a mode's result with the lower
// colour alike; each has its own mode formulas, and the integer forms differ in scale, shifts
// and where Overlay and Hard Light switch.
#include "render/composite/BlendKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace AEUtil {

namespace {

// 8 bpc divides by 256 where 16 bpc divides by 32768; both halve for the two-slope modes.
template <bool Wide>
struct IntForm {
    using Value = int64_t;
    static constexpr int64_t full = Wide ? 32768 : 255;
    static constexpr int shift = Wide ? 15 : 8;
    static constexpr int halfShift = Wide ? 14 : 7;

    static bool upperSlope(int64_t c) { return Wide ? c > 16384 : c >= 128; }
    static int64_t lowerWeight(int64_t q, int64_t lowerAlpha) { return ((full - q) * lowerAlpha) >> shift; }
    static int64_t modeResult(int64_t p, int64_t u, int64_t q, A_long mode);
};

struct FloatForm {
    using Value = float;
    static constexpr float full = 1.0f;

    static float lowerWeight(float q, float lowerAlpha) { return (1.0f - q) * lowerAlpha; }
    static float modeResult(float p, float u, float q, A_long mode);
};

template <bool Wide>
int64_t softLightInt(int64_t p, int64_t u) {
    using F = IntForm<Wide>;
    const double curve = softLightCurve(static_cast<double>(p) / F::full, static_cast<double>(u) / F::full);
    const auto t = static_cast<int64_t>(std::trunc(curve * F::full));
    if constexpr (Wide)
        return (t & 0x8000) ? 32768 : t;
    else
        return t & 0xFF;
}

template <bool Wide>
int64_t IntForm<Wide>::modeResult(int64_t p, int64_t u, int64_t q, A_long mode) {
    switch (mode) {
    case kBlendNormal:
    case kBlendTakeUpper: return u;
    case kBlendAdd: return std::min(full, ((u * q) >> shift) + p);
    case kBlendSubstract: return std::max(int64_t{0}, p - ((u * q) >> shift));
    case kBlendMultiply:
        if constexpr (Wide)
            return p * u >= (int64_t{1} << 30) ? 32768 : (p * u) >> 15;
        else
            return (u * p) >> 8;
    case kBlendScreen: return ((full - u) * (p - full) + full * full) >> shift;
    case kBlendOverlay: return upperSlope(p) ? full - (((full - p) * (full - u)) >> halfShift) : (u * p) >> halfShift;
    case kBlendHardLight: return upperSlope(u) ? full - (((full - p) * (full - u)) >> halfShift) : (u * p) >> halfShift;
    case kBlendSoftLight: return softLightInt<Wide>(p, u);
    case kBlendDarken: return std::min(u, p);
    case kBlendLighten: return std::max(u, p);
    case kBlendDifference: return std::abs(u - p);
    case kBlendExclusion: return ((full - u) * p + (full - p) * u) >> shift;
    default: return p;
    }
}

float FloatForm::modeResult(float p, float u, float q, A_long mode) {
    switch (mode) {
    case kBlendNormal:
    case kBlendTakeUpper: return u;
    case kBlendAdd: return std::min(1.0f, u * q + p);
    case kBlendSubstract: return std::max(0.0f, p - u * q);
    case kBlendMultiply: return std::min(1.0f, p * u);
    case kBlendScreen: return 1.0f - (1.0f - p) * (1.0f - u);
    case kBlendOverlay: return std::min(1.0f, p <= 0.5f ? 2.0f * p * u : 1.0f - 2.0f * (1.0f - u) * (1.0f - p));
    case kBlendHardLight: return u <= 0.5f ? 2.0f * p * u : 1.0f - 2.0f * (1.0f - p) * (1.0f - u);
    case kBlendSoftLight: return static_cast<float>(std::min(1.0, softLightCurve(p, u)));
    case kBlendDarken: return std::min(u, p);
    case kBlendLighten: return std::max(u, p);
    case kBlendDifference: return std::fabs(u - p);
    case kBlendExclusion: return (1.0f - p) * u + (1.0f - u) * p;
    default: return p;
    }
}

bool mixes(A_long mode) { return mode != kBlendAdd && mode != kBlendSubstract && mode != kBlendTakeUpper; }

bool knownMode(A_long mode) { return mode >= kBlendNormal && mode <= kBlendTakeUpper; }

// Without upper coverage, or for a mode it does not know, the result keeps the lower colour.
template <typename Pixel>
void keepLowerColor(Pixel &result, const Pixel &lower) {
    result.red = lower.red;
    result.green = lower.green;
    result.blue = lower.blue;
}

template <class Form, typename Pixel>
void blend(Pixel &result, const Pixel &lower, const Pixel &upper, A_long mode) {
    using Value = typename Form::Value;
    using Channel = decltype(Pixel::red);
    const Value q = upper.alpha;
    if (q == 0 || !knownMode(mode)) {
        keepLowerColor(result, lower);
        return;
    }
    const Value w = Form::lowerWeight(q, lower.alpha);
    // q + w is 0 only for a float lower alpha below 0: an integer w is never negative.
    const bool mix = mixes(mode) && q < Form::full && q + w != 0;
    auto channel = [&](Value p, Value u) {
        const Value r = Form::modeResult(p, u, q, mode);
        return static_cast<Channel>(mix ? (r * q + p * w) / (q + w) : r);
    };
    const Channel red = channel(lower.red, upper.red);
    const Channel green = channel(lower.green, upper.green);
    const Channel blue = channel(lower.blue, upper.blue);
    result.red = red;
    result.green = green;
    result.blue = blue;
}

} // namespace

double softLightCurve(double d, double s) {
    double e = (d - d * d) * (2.0 * s - 1.0);
    if (s >= 0.5) {
        if (d < 0.125)
            e = e * (3.0 - 8.0 * d);
        else
            e = (std::sqrt(d) - d) * (2.0 * s - 1.0);
    }
    return e + d;
}

void blendKernel(PF_Pixel8 &result, const PF_Pixel8 &lower, const PF_Pixel8 &upper, A_long mode) {
    blend<IntForm<false>>(result, lower, upper, mode);
}

void blendKernel(PF_Pixel16 &result, const PF_Pixel16 &lower, const PF_Pixel16 &upper, A_long mode) {
    blend<IntForm<true>>(result, lower, upper, mode);
}

void blendKernel(PF_PixelFloat &result, const PF_PixelFloat &lower, const PF_PixelFloat &upper, A_long mode) {
    blend<FloatForm>(result, lower, upper, mode);
}

} // namespace AEUtil
