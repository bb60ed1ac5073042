// Pixel composite, opacity and threshold-view kernels; see PixelComposite.h.
#include "render/composite/PixelComposite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace AEUtil {

namespace {

enum class LowerPrep { None, TowardWhite, TowardGrey, Premultiply };

LowerPrep prepFor(A_long mode) {
    switch (mode) {
    case kBlendNormal: return LowerPrep::None;
    case kBlendSubstract:
    case kBlendMultiply:
    case kBlendDarken: return LowerPrep::TowardWhite;
    case kBlendOverlay:
    case kBlendHardLight:
    case kBlendSoftLight: return LowerPrep::TowardGrey;
    default: return LowerPrep::Premultiply;
    }
}

template <typename Pixel, int64_t Full, int64_t Grey>
void compositeInt(Pixel &lower, const Pixel &upper, A_long mode) {
    using Channel = decltype(Pixel::red);
    const int64_t a = lower.alpha;
    const int64_t q = upper.alpha;
    const int64_t newAlpha = q + (Full - q) * a / Full;
    const LowerPrep prep = prepFor(mode);

    // Signed division truncates toward zero, as the pull toward grey needs on both sides.
    auto prepare = [&](Channel &c) {
        const int64_t v = c;
        switch (prep) {
        case LowerPrep::TowardWhite: c = static_cast<Channel>(Full + (v - Full) * a / Full); break;
        case LowerPrep::TowardGrey: c = static_cast<Channel>(Grey + (v - Grey) * a / Full); break;
        case LowerPrep::Premultiply: c = static_cast<Channel>(v * a / Full); break;
        case LowerPrep::None: break;
        }
    };
    prepare(lower.red);
    prepare(lower.green);
    prepare(lower.blue);

    blendKernel(lower, lower, upper, mode);

    if (prep == LowerPrep::Premultiply && newAlpha != 0) {
        const double scale = static_cast<double>(newAlpha) / Full;
        auto unpremultiply = [&](Channel &c) {
            c = static_cast<Channel>(std::trunc(std::min(c / scale, static_cast<double>(Full))));
        };
        unpremultiply(lower.red);
        unpremultiply(lower.green);
        unpremultiply(lower.blue);
    }
    lower.alpha = static_cast<Channel>(newAlpha);
}

template <typename Pixel, int64_t Full>
void opacityInt(Pixel *row, A_long width, double opacityPercent) {
    using Channel = decltype(Pixel::alpha);
    const double factor = std::trunc(opacityPercent / 100 * Full + 0.5);
    // Clamped so an Opacity outside 0 ... 100 cannot make an undefined conversion.
    const int64_t k = factor > 0.0 ? static_cast<int64_t>(std::min(factor, static_cast<double>(Full))) : 0;
    for (A_long x = 0; x < width; ++x)
        row[x].alpha = static_cast<Channel>(k * row[x].alpha / Full);
}

template <typename Pixel>
void thresholdFold(Pixel &out, const Pixel &glow) {
    if (out.red < glow.alpha) {
        out.red = glow.alpha;
        out.green = glow.alpha;
        out.blue = glow.alpha;
    }
}

} // namespace

void compositePixel(PF_Pixel8 &lower, const PF_Pixel8 &upper, A_long mode) {
    compositeInt<PF_Pixel8, 255, 127>(lower, upper, mode);
}

void compositePixel(PF_Pixel16 &lower, const PF_Pixel16 &upper, A_long mode) {
    compositeInt<PF_Pixel16, 32768, 16384>(lower, upper, mode);
}

void compositePixel(PF_PixelFloat &lower, const PF_PixelFloat &upper, A_long mode) {
    const float a = lower.alpha;
    const float q = upper.alpha;
    const float newAlpha = q + (1.0f - q) * a;
    const LowerPrep prep = prepFor(mode);
    auto prepare = [&](float &c) {
        switch (prep) {
        case LowerPrep::TowardWhite: c = 1.0f + (c - 1.0f) * a; break;
        case LowerPrep::TowardGrey: c = 0.5f + (c - 0.5f) * a; break;
        case LowerPrep::Premultiply: c = c * a; break;
        case LowerPrep::None: break;
        }
    };
    prepare(lower.red);
    prepare(lower.green);
    prepare(lower.blue);

    blendKernel(lower, lower, upper, mode);

    if (prep == LowerPrep::Premultiply && newAlpha != 0.0f) {
        const double scale = newAlpha;
        auto unpremultiply = [&](float &c) { c = static_cast<float>(std::min(c / scale, 1.0)); };
        unpremultiply(lower.red);
        unpremultiply(lower.green);
        unpremultiply(lower.blue);
    }
    lower.alpha = newAlpha;
}

void compositeRow(PF_Pixel8 *lower, const PF_Pixel8 *upper, A_long width, A_long mode) {
    for (A_long x = 0; x < width; ++x)
        compositePixel(lower[x], upper[x], mode);
}

void compositeRow(PF_Pixel16 *lower, const PF_Pixel16 *upper, A_long width, A_long mode) {
    for (A_long x = 0; x < width; ++x)
        compositePixel(lower[x], upper[x], mode);
}

void compositeRow(PF_PixelFloat *lower, const PF_PixelFloat *upper, A_long width, A_long mode) {
    for (A_long x = 0; x < width; ++x)
        compositePixel(lower[x], upper[x], mode);
}

void applyOpacityRow(PF_Pixel8 *row, A_long width, double opacityPercent) {
    opacityInt<PF_Pixel8, 255>(row, width, opacityPercent);
}

void applyOpacityRow(PF_Pixel16 *row, A_long width, double opacityPercent) {
    opacityInt<PF_Pixel16, 32768>(row, width, opacityPercent);
}

void applyOpacityRow(PF_PixelFloat *row, A_long width, double opacityPercent) {
    for (A_long x = 0; x < width; ++x)
        row[x].alpha = static_cast<float>(row[x].alpha * opacityPercent / 100);
}

void thresholdViewPixel(PF_Pixel8 &out, const PF_Pixel8 &glow) { thresholdFold(out, glow); }

void thresholdViewPixel(PF_Pixel16 &out, const PF_Pixel16 &glow) { thresholdFold(out, glow); }

void thresholdViewPixel(PF_PixelFloat &out, const PF_PixelFloat &glow) { thresholdFold(out, glow); }

} // namespace AEUtil
