#include "colorbar/GradientSampling.h"

#include <cstring>

namespace AEUtil {

namespace {

PF_Pixel colorOf(const ColorFlag &f) noexcept { return PF_Pixel{f.alpha, f.red, f.green, f.blue}; }

// lo and hi bracket x with lo.position < hi.position.
PF_Pixel blend(const ColorFlag &lo, const ColorFlag &hi, float x) noexcept {
    const float cf = (x - lo.position) / (hi.position - lo.position);
    const double c = cf;
    PF_Pixel p;
    p.alpha = 255;
    p.red = truncateToByte(double(int(hi.red) - int(lo.red)) * c + double(lo.red));
    p.green = truncateToByte(double(int(hi.green) - int(lo.green)) * c + double(lo.green));
    p.blue = truncateToByte(double(int(hi.blue) - int(lo.blue)) * c + double(lo.blue));
    return p;
}

PF_Pixel sampleSorted(const ColorFlagList &list, A_long n, float x) noexcept {
    if (x <= list.flag[0].position)
        return colorOf(list.flag[0]);
    if (x >= list.flag[n - 1].position)
        return colorOf(list.flag[n - 1]);
    for (A_long i = 1; i < n; ++i)
        if (x <= list.flag[i].position)
            return blend(list.flag[i - 1], list.flag[i], x);
    // Only a list marked sorted that is not, or a NaN position, gets here.
    return colorOf(list.flag[n - 1]);
}

PF_Pixel sampleUnsorted(const ColorFlagList &list, A_long n, float x) noexcept {
    const ColorFlag *lower = nullptr;
    const ColorFlag *upper = nullptr;
    for (A_long i = 0; i < n; ++i) {
        const ColorFlag &f = list.flag[i];
        if (f.position < x) {
            if (!lower || f.position >= lower->position) // at equal positions the later wins
                lower = &f;
        } else if (f.position >= x) {
            if (!upper || f.position < upper->position) // at equal positions the earlier wins
                upper = &f;
        }
    }
    if (!lower)
        return colorOf(list.flag[0]);
    if (!upper)
        return colorOf(list.flag[n - 1]);
    return blend(*lower, *upper, x);
}

// Pixel column of a flag: truncate(w1 * position + 0.5) in float, kept inside the row.
A_long columnOf(float position, A_long w1) noexcept {
    const float v = float(w1) * position + 0.5f;
    if (!(v >= 0.0f))
        return 0;
    if (v >= float(w1))
        return w1;
    return A_long(v);
}

void putPixel(std::uint32_t *pixels, A_long i, A_u_char b, A_u_char g, A_u_char r, A_u_char a) noexcept {
    const A_u_char bytes[4] = {b, g, r, a};
    std::memcpy(pixels + i, bytes, 4);
}

void fill(std::uint32_t *pixels, A_long from, A_long to, const ColorFlag &f) noexcept {
    for (A_long i = from; i <= to; ++i)
        putPixel(pixels, i, f.blue, f.green, f.red, f.alpha);
}

} // namespace

A_u_char truncateToByte(double value) noexcept {
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<A_u_char>(static_cast<std::int32_t>(value) & 0xff);
}

PF_Pixel sampleGradient(const ColorFlagList &list, float x) noexcept {
    const A_long n = usedFlagCount(list);
    if (n == 0)
        return PF_Pixel{0, 0, 0, 255};
    if (n == 1)
        return colorOf(list.flag[0]);
    if (list.flags & kColorFlagListSorted)
        return sampleSorted(list, n, x);
    return sampleUnsorted(list, n, x);
}

void rasterizeGradient(const ColorFlagList &list, std::uint32_t *pixels, A_long width) noexcept {
    if (!pixels || width <= 0)
        return;
    ColorFlagList sorted = list;
    sortColorFlags(sorted);
    ColorFlag on[kMaxColorFlags];
    A_long m = 0;
    const A_long n = usedFlagCount(sorted);
    for (A_long i = 0; i < n; ++i)
        if (sorted.flag[i].position >= 0.0f)
            on[m++] = sorted.flag[i];
    if (m == 0) {
        for (A_long i = 0; i < width; ++i)
            putPixel(pixels, i, 0, 0, 0, 255);
        return;
    }
    const A_long w1 = width - 1;
    fill(pixels, 0, columnOf(on[0].position, w1), on[0]);
    for (A_long j = 0; j + 1 < m; ++j) {
        const ColorFlag &a = on[j];
        const ColorFlag &b = on[j + 1];
        const A_long xa = columnOf(a.position, w1);
        const A_long xb = columnOf(b.position, w1);
        const A_long span = xb - xa + 1;
        for (A_long k = 0; k < span; ++k) {
            const double t = double(k) / double(span);
            auto mix = [t](A_u_char from, A_u_char to) {
                return truncateToByte(double(int(to) - int(from)) * t + double(from));
            };
            putPixel(pixels, xa + k, mix(a.blue, b.blue), mix(a.green, b.green), mix(a.red, b.red),
                     mix(a.alpha, b.alpha));
        }
    }
    fill(pixels, columnOf(on[m - 1].position, w1), w1, on[m - 1]);
}

} // namespace AEUtil
