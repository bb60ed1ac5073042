// Integer forms keep the stated operation order so results match bit for bit; every
// float-to-integer conversion is clamped first, so no input can make it undefined.
#include "render/color/GlowColorFinish.h"

#include <algorithm>
#include <cmath>

#include "render/composite/BlendKernel.h"

namespace AEUtil {

namespace {

A_u_short toStored16(double c) {
    if (!(c > 0.0)) // also NaN
        return 0;
    return static_cast<A_u_short>(std::trunc(std::min(c, 65535.0)));
}

// Alpha 0 leaves the pixel as it is; otherwise all four channels, alpha too, take the curve.
template <class Pixel, class Curve>
void curveChannels(Pixel &p, Curve curve) {
    if (p.alpha == 0)
        return;
    p.alpha = curve(p.alpha);
    p.red = curve(p.red);
    p.green = curve(p.green);
    p.blue = curve(p.blue);
}

} // namespace

void unpremultiply(PF_Pixel16 &p) {
    if (p.alpha == 0)
        return;
    const double scale = 32768.0 / p.alpha;
    auto one = [scale](A_u_short &c) { c = toStored16(std::min(scale * c, 32768.0)); };
    one(p.red);
    one(p.green);
    one(p.blue);
}

void unpremultiply(PF_PixelFloat &p) {
    if (p.alpha == 0.0f)
        return;
    const float scale = 1.0f / p.alpha;
    p.red = std::min(p.red * scale, 1.0f);
    p.green = std::min(p.green * scale, 1.0f);
    p.blue = std::min(p.blue * scale, 1.0f);
}

ColorIntensity::ColorIntensity(double intensity)
    : intensity_(intensity), denominator_(std::log10(intensity + 1.0)), removesGlow_(intensity == 0.0) {}

A_u_short ColorIntensity::channel16(A_u_short c) const {
    if (removesGlow_)
        return 0;
    return toStored16(std::log10(c * 0x1p-15 * intensity_ + 1.0) / denominator_ * 32768.0);
}

float ColorIntensity::channelFloat(float c) const {
    if (removesGlow_)
        return 0.0f;
    return static_cast<float>(std::log10(c * intensity_ + 1.0) / denominator_);
}

void ColorIntensity::apply(PF_Pixel16 &p) const {
    curveChannels(p, [this](A_u_short c) { return channel16(c); });
}

void ColorIntensity::apply(PF_PixelFloat &p) const {
    curveChannels(p, [this](float c) { return channelFloat(c); });
}

void mergeDepthGlow(PF_Pixel8 &main, const PF_Pixel8 &depth) {
    const unsigned m = main.alpha, d = depth.alpha;
    blendKernel(main, main, depth, kBlendNormal);
    main.alpha = static_cast<A_u_char>(d + (255u - d) * m / 255u);
}

void mergeDepthGlow(PF_Pixel16 &main, const PF_Pixel16 &depth) {
    // Alphas above 32768 are outside the host's scale; clamp so the sum stays in 16 bits.
    const uint32_t m = std::min<uint32_t>(main.alpha, 32768u);
    const uint32_t d = std::min<uint32_t>(depth.alpha, 32768u);
    blendKernel(main, main, depth, kBlendNormal);
    main.alpha = static_cast<A_u_short>(d + ((32768u - d) * m) / 32768u);
}

void mergeDepthGlow(PF_PixelFloat &main, const PF_PixelFloat &depth) {
    const float m = main.alpha, d = depth.alpha;
    blendKernel(main, main, depth, kBlendNormal);
    main.alpha = d + (1.0f - d) * m;
}

} // namespace AEUtil
