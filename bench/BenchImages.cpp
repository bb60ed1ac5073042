// The benchmark scene, drawn once in float and stored at the requested depth.
#include "bench/BenchImages.h"

#include <algorithm>
#include <cmath>

namespace lumora::bench {

namespace {

struct Rgb {
    float r, g, b;
};

struct Disc {
    float cx, cy, radius; // in frame heights
    Rgb color;
};

struct Bar {
    float left, top, right, bottom; // in frame heights
    Rgb color;
};

constexpr Rgb kGround{0.06f, 0.07f, 0.10f};
constexpr Disc kDiscs[] = {{0.30f, 0.30f, 0.08f, {1.0f, 0.92f, 0.60f}},
                           {1.40f, 0.25f, 0.05f, {0.40f, 0.85f, 1.0f}},
                           {0.55f, 0.75f, 0.03f, {1.0f, 0.35f, 0.55f}},
                           {1.55f, 0.78f, 0.10f, {0.95f, 0.95f, 0.95f}},
                           {1.10f, 0.55f, 0.015f, {0.70f, 1.0f, 0.60f}}};
constexpr Bar kBars[] = {{0.10f, 0.90f, 0.70f, 0.905f, {1.0f, 1.0f, 0.85f}},
                         {0.10f, 0.93f, 0.45f, 0.94f, {0.9f, 0.80f, 1.0f}},
                         {1.20f, 0.05f, 1.22f, 0.45f, {1.0f, 0.70f, 0.30f}},
                         {0.80f, 0.12f, 1.05f, 0.14f, {0.55f, 0.90f, 1.0f}}};
// A thin white ring around the middle of a 16:9 frame.
constexpr float kRingX = 0.889f, kRingY = 0.5f, kRingRadius = 0.25f, kRingHalfWidth = 0.008f;

Rgb sceneColor(float x, float y) {
    for (const Disc &d : kDiscs)
        if (std::hypot(x - d.cx, y - d.cy) <= d.radius)
            return d.color;
    for (const Bar &b : kBars)
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom)
            return b.color;
    if (std::fabs(std::hypot(x - kRingX, y - kRingY) - kRingRadius) <= kRingHalfWidth)
        return {1.0f, 1.0f, 1.0f};
    return kGround;
}

Rgb rampColor(float x, float, float width) {
    const float v = x / width;
    return {v, v, v};
}

template <class Pixel, class Convert, class Color>
void draw(embedhost::Image &image, Convert convert, Color colorAt) {
    const float scale = 1.0f / static_cast<float>(image.height);
    const float width = static_cast<float>(image.width) * scale;
    for (A_long y = 0; y < image.height; ++y) {
        Pixel *row = image.row<Pixel>(y);
        for (A_long x = 0; x < image.width; ++x) {
            const Rgb c =
                colorAt((static_cast<float>(x) + 0.5f) * scale, (static_cast<float>(y) + 0.5f) * scale, width);
            row[x].alpha = convert(1.0f);
            row[x].red = convert(c.r);
            row[x].green = convert(c.g);
            row[x].blue = convert(c.b);
        }
    }
}

template <class Color>
embedhost::Image drawImage(A_long width, A_long height, PF_PixelFormat format, Color colorAt) {
    embedhost::Image image = embedhost::Image::make(width, height, format);
    switch (format) {
    case PF_PixelFormat_ARGB32:
        draw<PF_Pixel8>(
            image, [](float v) { return static_cast<A_u_char>(std::lround(v * 255.0f)); }, colorAt);
        break;
    case PF_PixelFormat_ARGB64:
        draw<PF_Pixel16>(
            image, [](float v) { return static_cast<A_u_short>(std::lround(v * 32768.0f)); }, colorAt);
        break;
    case PF_PixelFormat_ARGB128:
        draw<PF_PixelFloat>(
            image, [](float v) { return v; }, colorAt);
        break;
    default: break;
    }
    return image;
}

} // namespace

embedhost::Image makeBenchFrame(A_long width, A_long height, PF_PixelFormat format) {
    return drawImage(width, height, format, [](float x, float y, float) { return sceneColor(x, y); });
}

embedhost::Image makeDepthRamp(A_long width, A_long height, PF_PixelFormat format) {
    return drawImage(width, height, format, rampColor);
}

} // namespace lumora::bench
