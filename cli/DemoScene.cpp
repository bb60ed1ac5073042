#include "cli/DemoScene.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "embedhost/Layers.h"

namespace lumora::cli {

namespace {

struct Rgb {
    float r, g, b;
};

class Canvas {
public:
    Canvas(A_long width, A_long height) : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

    A_long width() const { return width_; }
    A_long height() const { return height_; }

    // Covers each pixel by coverage(x, y) in 0..1 (pixel centres at +0.5), within the box.
    template <class Coverage>
    void paint(float x0, float y0, float x1, float y1, Rgb color, Coverage coverage) {
        const A_long left = std::max<A_long>(0, static_cast<A_long>(std::floor(x0)));
        const A_long top = std::max<A_long>(0, static_cast<A_long>(std::floor(y0)));
        const A_long right = std::min<A_long>(width_, static_cast<A_long>(std::ceil(x1)) + 1);
        const A_long bottom = std::min<A_long>(height_, static_cast<A_long>(std::ceil(y1)) + 1);
        for (A_long y = top; y < bottom; ++y)
            for (A_long x = left; x < right; ++x) {
                const float a = std::clamp(coverage(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
                Rgb &p = pixels_[std::size_t(y) * width_ + x];
                p = {p.r + (color.r - p.r) * a, p.g + (color.g - p.g) * a, p.b + (color.b - p.b) * a};
            }
    }

    Rgb &at(A_long x, A_long y) { return pixels_[std::size_t(y) * width_ + x]; }

private:
    A_long width_, height_;
    std::vector<Rgb> pixels_;
};

void disc(Canvas &c, float cx, float cy, float r, Rgb color) {
    c.paint(cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, color,
            [&](float x, float y) { return r - std::hypot(x - cx, y - cy) + 0.5f; });
}

void ring(Canvas &c, float cx, float cy, float r, float thickness, Rgb color) {
    const float outer = r + thickness;
    c.paint(cx - outer - 1, cy - outer - 1, cx + outer + 1, cy + outer + 1, color,
            [&](float x, float y) { return thickness / 2 - std::fabs(std::hypot(x - cx, y - cy) - r) + 0.5f; });
}

void line(Canvas &c, float x0, float y0, float x1, float y1, float thickness, Rgb color) {
    const float dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
    const float pad = thickness + 1;
    c.paint(std::min(x0, x1) - pad, std::min(y0, y1) - pad, std::max(x0, x1) + pad, std::max(y0, y1) + pad, color,
            [&](float x, float y) {
                const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0f, 1.0f);
                return thickness / 2 - std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) + 0.5f;
            });
}

void bar(Canvas &c, float x, float y, float w, float h, Rgb color) {
    c.paint(x - 1, y - 1, x + w + 1, y + h + 1, color, [&](float px, float py) {
        const float cx = std::clamp(std::min(px - x, x + w - px) + 0.5f, 0.0f, 1.0f);
        const float cy = std::clamp(std::min(py - y, y + h - py) + 0.5f, 0.0f, 1.0f);
        return cx * cy;
    });
}

// Blocks of bars that read like a line of text from afar; `seed` varies the word lengths.
void textLine(Canvas &c, float x, float y, float height, float width, unsigned seed, Rgb color) {
    const float end = x + width;
    while (x < end) {
        seed = seed * 1103515245u + 12345u;
        const int letters = 2 + static_cast<int>((seed >> 16) % 6);
        for (int i = 0; i < letters && x < end; ++i) {
            seed = seed * 1103515245u + 12345u;
            const float w = height * (0.35f + 0.45f * static_cast<float>((seed >> 16) % 100) / 100.0f);
            const float h = (seed >> 8) % 5 == 0 ? height * 1.3f : height;
            bar(c, x, y + height - h, std::min(w, end - x), h, color);
            x += w + height * 0.18f;
        }
        x += height * 0.7f;
    }
}

void ground(Canvas &c) {
    const float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
    for (A_long y = 0; y < c.height(); ++y)
        for (A_long x = 0; x < c.width(); ++x) {
            const float v = static_cast<float>(y) / h;
            const float dx = (static_cast<float>(x) - w / 2) / w, dy = (static_cast<float>(y) - h / 2) / h;
            const float vignette = 1.0f - 0.6f * (dx * dx + dy * dy);
            c.at(x, y) = {(0.020f + 0.015f * v) * vignette, (0.022f + 0.020f * v) * vignette,
                          (0.050f + 0.040f * v) * vignette};
        }
}

} // namespace

embedhost::Image demoScene(A_long width, A_long height, PF_PixelFormat format) {
    Canvas c(width, height);
    ground(c);
    const float s = static_cast<float>(height) / 720.0f, w = static_cast<float>(width);
    const float cx = w / 2;

    // Stars: tiny, very bright points.
    unsigned seed = 7;
    for (int i = 0; i < 40; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float x = static_cast<float>((seed >> 8) % 10000) / 10000.0f * w;
        seed = seed * 1103515245u + 12345u;
        const float y = static_cast<float>((seed >> 8) % 10000) / 10000.0f * 0.55f * static_cast<float>(height);
        disc(c, x, y, (1.0f + static_cast<float>(i % 3)) * s, {0.95f, 0.95f, 1.0f});
    }

    ring(c, cx, 300 * s, 150 * s, 10 * s, {1.0f, 0.28f, 0.78f});
    disc(c, cx, 300 * s, 46 * s, {1.0f, 0.93f, 0.62f});
    disc(c, cx - 330 * s, 250 * s, 62 * s, {1.0f, 0.52f, 0.12f});
    disc(c, cx + 340 * s, 210 * s, 36 * s, {0.20f, 0.88f, 1.0f});
    disc(c, cx + 250 * s, 390 * s, 18 * s, {0.55f, 1.0f, 0.35f});
    line(c, cx - 560 * s, 560 * s, cx - 170 * s, 470 * s, 3 * s, {0.45f, 1.0f, 0.55f});
    line(c, cx + 170 * s, 470 * s, cx + 560 * s, 560 * s, 3 * s, {0.45f, 0.65f, 1.0f});
    line(c, cx - 420 * s, 120 * s, cx - 120 * s, 70 * s, 1.5f * s, {1.0f, 0.85f, 0.4f});
    textLine(c, cx - 300 * s, 585 * s, 34 * s, 600 * s, 3, {0.92f, 0.95f, 1.0f});
    textLine(c, cx - 230 * s, 645 * s, 14 * s, 460 * s, 11, {0.42f, 0.46f, 0.55f});

    embedhost::Image image = embedhost::Image::make(width, height, PF_PixelFormat_ARGB128);
    for (A_long y = 0; y < height; ++y) {
        PF_PixelFloat *row = image.row<PF_PixelFloat>(y);
        for (A_long x = 0; x < width; ++x) {
            const Rgb &p = c.at(x, y);
            row[x] = {1.0f, p.r, p.g, p.b};
        }
    }
    return format == PF_PixelFormat_ARGB128 ? image : embedhost::convertImage(image, format);
}

} // namespace lumora::cli
