// Each integer operation below is PixelComposite.cpp's and BlendKernel.cpp's, in the same order.
#include "render/composite/CompositeRows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "render/composite/BlendKernel.h"
#include "render/composite/BlendModeTable.h"
#include "render/composite/PixelComposite.h"

namespace AEUtil {

namespace {

enum class Prep { None, TowardWhite, TowardGrey, Premultiply };

constexpr Prep prepOf(A_long mode) {
    switch (mode) {
    case kBlendNormal: return Prep::None;
    case kBlendSubstract:
    case kBlendMultiply:
    case kBlendDarken: return Prep::TowardWhite;
    case kBlendOverlay:
    case kBlendHardLight:
    case kBlendSoftLight: return Prep::TowardGrey;
    default: return Prep::Premultiply;
    }
}
constexpr bool knownMode(A_long mode) { return mode >= kBlendNormal && mode <= kBlendTakeUpper; }
constexpr bool mixes(A_long mode) { return mode != kBlendAdd && mode != kBlendSubstract && mode != kBlendTakeUpper; }

// 8 and 16 bpc: the scale, its shifts, and the integer type every product fits in.
template <bool Wide>
struct Form {
    using Int = std::conditional_t<Wide, int64_t, int32_t>;
    using Channel = std::conditional_t<Wide, A_u_short, A_u_char>;
    static constexpr Int full = Wide ? 32768 : 255;
    static constexpr Int grey = Wide ? 16384 : 127;
    static constexpr int shift = Wide ? 15 : 8;
    static constexpr int halfShift = Wide ? 14 : 7;
    static bool upperSlope(Int c) { return Wide ? c > 16384 : c >= 128; }
};

template <A_long Mode, bool Wide>
typename Form<Wide>::Int modeResult(typename Form<Wide>::Int p, typename Form<Wide>::Int u,
                                    typename Form<Wide>::Int q) {
    using F = Form<Wide>;
    using Int = typename F::Int;
    if constexpr (Mode == kBlendNormal || Mode == kBlendTakeUpper) {
        return u;
    } else if constexpr (Mode == kBlendAdd) {
        return std::min(F::full, ((u * q) >> F::shift) + p);
    } else if constexpr (Mode == kBlendSubstract) {
        return std::max(Int{0}, p - ((u * q) >> F::shift));
    } else if constexpr (Mode == kBlendMultiply) {
        if constexpr (Wide)
            return p * u >= (Int{1} << 30) ? 32768 : (p * u) >> 15;
        else
            return (u * p) >> 8;
    } else if constexpr (Mode == kBlendScreen) {
        return ((F::full - u) * (p - F::full) + F::full * F::full) >> F::shift;
    } else if constexpr (Mode == kBlendOverlay) {
        return F::upperSlope(p) ? F::full - (((F::full - p) * (F::full - u)) >> F::halfShift) : (u * p) >> F::halfShift;
    } else if constexpr (Mode == kBlendHardLight) {
        return F::upperSlope(u) ? F::full - (((F::full - p) * (F::full - u)) >> F::halfShift) : (u * p) >> F::halfShift;
    } else if constexpr (Mode == kBlendSoftLight) {
        const double curve = softLightCurve(static_cast<double>(p) / F::full, static_cast<double>(u) / F::full);
        const auto t = static_cast<int64_t>(std::trunc(curve * F::full));
        if constexpr (Wide)
            return (t & 0x8000) ? 32768 : t;
        else
            return static_cast<Int>(t & 0xFF);
    } else if constexpr (Mode == kBlendDarken) {
        return std::min(u, p);
    } else if constexpr (Mode == kBlendLighten) {
        return std::max(u, p);
    } else if constexpr (Mode == kBlendDifference) {
        return std::abs(u - p);
    } else if constexpr (Mode == kBlendExclusion) {
        return ((F::full - u) * p + (F::full - p) * u) >> F::shift;
    } else {
        return p;
    }
}

// 8 bpc: floor(n / d) for n < 2^17, d <= 510 as (n * ceil(2^32 / d)) >> 32, exact because the
// reciprocal's excess, n/2^32 at most, stays below 1/d.
struct Reciprocals8 {
    std::array<uint64_t, 512> m{};
    Reciprocals8() {
        for (uint64_t d = 1; d < m.size(); ++d)
            m[d] = ((uint64_t{1} << 32) + d - 1) / d;
    }
    uint32_t divide(uint32_t n, uint32_t d) const { return static_cast<uint32_t>((n * m[d]) >> 32); }
};

// 8 bpc: the un-premultiply of channel c by alpha a, as the double expression gives it.
struct Unpremultiply8 {
    std::array<std::array<A_u_char, 256>, 256> v{};
    Unpremultiply8() {
        for (int a = 1; a < 256; ++a) {
            const double scale = static_cast<double>(a) / 255;
            for (int c = 0; c < 256; ++c)
                v[a][c] = static_cast<A_u_char>(std::trunc(std::min(c / scale, 255.0)));
        }
    }
};

const Reciprocals8 &reciprocals8() {
    static const Reciprocals8 r;
    return r;
}
const Unpremultiply8 &unpremultiply8() {
    static const Unpremultiply8 u;
    return u;
}

template <A_long Mode, bool Wide, class Pixel>
inline void compositeOne(Pixel &lower, const Pixel &upper, const Reciprocals8 &rec, const Unpremultiply8 &unp) {
    using F = Form<Wide>;
    using Int = typename F::Int;
    using Channel = typename F::Channel;
    constexpr Prep prep = prepOf(Mode);
    const Int a = lower.alpha;
    const Int q = upper.alpha;
    // No glow over an opaque pixel: every step is the identity for channels within the scale.
    if (q == 0 && a == F::full && lower.red <= F::full && lower.green <= F::full && lower.blue <= F::full)
        return;
    const Int newAlpha = q + (F::full - q) * a / F::full;
    Channel c[3] = {lower.red, lower.green, lower.blue};
    const Channel u[3] = {upper.red, upper.green, upper.blue};
    for (Channel &v : c) {
        const Int x = v;
        if constexpr (prep == Prep::TowardWhite)
            v = static_cast<Channel>(F::full + (x - F::full) * a / F::full);
        else if constexpr (prep == Prep::TowardGrey)
            v = static_cast<Channel>(F::grey + (x - F::grey) * a / F::full);
        else if constexpr (prep == Prep::Premultiply)
            v = static_cast<Channel>(x * a / F::full);
    }
    if (q != 0 && knownMode(Mode)) {
        const Int w = ((F::full - q) * a) >> F::shift;
        const bool mix = mixes(Mode) && q < F::full && q + w > 0;
        for (int i = 0; i < 3; ++i) {
            const Int p = c[i];
            const Int r = modeResult<Mode, Wide>(p, u[i], q);
            if (!mix)
                c[i] = static_cast<Channel>(r);
            else if constexpr (Wide)
                c[i] = static_cast<Channel>((r * q + p * w) / (q + w));
            else
                c[i] = static_cast<Channel>(
                    rec.divide(static_cast<uint32_t>(r * q + p * w), static_cast<uint32_t>(q + w)));
        }
    }
    if (prep == Prep::Premultiply && newAlpha != 0) {
        if constexpr (Wide) {
            const double scale = static_cast<double>(newAlpha) / F::full;
            for (Channel &v : c) // an opaque result divides by exactly 1
                v = newAlpha == F::full
                        ? std::min<Channel>(v, F::full)
                        : static_cast<Channel>(std::trunc(std::min(v / scale, static_cast<double>(F::full))));
        } else {
            for (Channel &v : c)
                v = unp.v[static_cast<std::size_t>(newAlpha)][v];
        }
    }
    lower.red = c[0];
    lower.green = c[1];
    lower.blue = c[2];
    lower.alpha = static_cast<Channel>(newAlpha);
}

template <A_long Mode, bool Wide, class Pixel, class UpperAt>
void rowOfMode(Pixel *lower, A_long width, UpperAt upperAt) {
    const Reciprocals8 &rec = reciprocals8();
    const Unpremultiply8 &unp = unpremultiply8();
    for (A_long x = 0; x < width; ++x)
        compositeOne<Mode, Wide>(lower[x], upperAt(x), rec, unp);
}

template <bool Wide, class Pixel, class UpperAt>
void rowByMode(Pixel *lower, A_long width, A_long mode, UpperAt upperAt) {
    switch (mode) {
#define LUMORA_MODE(m)                                                                                                 \
    case m: return rowOfMode<m, Wide>(lower, width, upperAt);
        LUMORA_MODE(kBlendNormal)
        LUMORA_MODE(kBlendAdd)
        LUMORA_MODE(kBlendSubstract)
        LUMORA_MODE(kBlendMultiply)
        LUMORA_MODE(kBlendScreen)
        LUMORA_MODE(kBlendOverlay)
        LUMORA_MODE(kBlendHardLight)
        LUMORA_MODE(kBlendSoftLight)
        LUMORA_MODE(kBlendDarken)
        LUMORA_MODE(kBlendLighten)
        LUMORA_MODE(kBlendDifference)
        LUMORA_MODE(kBlendExclusion)
        LUMORA_MODE(kBlendTakeUpper)
#undef LUMORA_MODE
    default: return rowOfMode<kBlendKeepLower, Wide>(lower, width, upperAt);
    }
}

} // namespace

namespace {

// A run of pixels composited with one mode: 8 and 16 bpc by the rows above, float by the pixel
// composite itself.
template <class Pixel, class UpperAt>
void compositeRun(Pixel *lower, A_long width, A_long mode, UpperAt upperAt) {
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
        for (A_long x = 0; x < width; ++x)
            compositePixel(lower[x], upperAt(x), mode);
    } else {
        rowByMode<std::is_same_v<Pixel, PF_Pixel16>>(lower, width, mode, upperAt);
    }
}

template <class Pixel>
void tableRow(Pixel *lower, const uint16_t *glow, const Pixel *table, const Pixel *overClear, A_long width,
              A_long mode) {
    if (!overClear) {
        compositeRun(lower, width, mode, [glow, table](A_long x) -> const Pixel & { return table[glow[x]]; });
        return;
    }
    // Runs of transparent black (all bits 0) take their results from overClear; the rest is
    // composited.
    const Pixel clear{};
    A_long x = 0;
    while (x < width) {
        A_long end = x;
        while (end < width && std::memcmp(&lower[end], &clear, sizeof(Pixel)) == 0) {
            lower[end] = overClear[glow[end]];
            ++end;
        }
        x = end;
        while (end < width && std::memcmp(&lower[end], &clear, sizeof(Pixel)) != 0)
            ++end;
        const uint16_t *g = glow + x;
        compositeRun(lower + x, end - x, mode, [g, table](A_long i) -> const Pixel & { return table[g[i]]; });
        x = end;
    }
}

template <class Pixel>
void overClearOf(const Pixel *upper, std::size_t count, A_long mode, Pixel *out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = Pixel{};
    compositeRun(out, static_cast<A_long>(count), mode, [upper](A_long i) -> const Pixel & { return upper[i]; });
}

} // namespace

#define LUMORA_COMPOSITE_ROWS(Pixel)                                                                                   \
    void compositeRowFast(Pixel *lower, const Pixel *upper, A_long width, A_long mode) {                               \
        compositeRun(lower, width, mode, [upper](A_long x) -> const Pixel & { return upper[x]; });                     \
    }                                                                                                                  \
    void compositeRowFast(Pixel *lower, const uint16_t *glow, const Pixel *table, const Pixel *overClear,              \
                          A_long width, A_long mode) {                                                                 \
        tableRow(lower, glow, table, overClear, width, mode);                                                          \
    }                                                                                                                  \
    void compositeOverClear(const Pixel *upper, std::size_t count, A_long mode, Pixel *out) {                          \
        overClearOf(upper, count, mode, out);                                                                          \
    }
LUMORA_COMPOSITE_ROWS(PF_Pixel8)
LUMORA_COMPOSITE_ROWS(PF_Pixel16)
LUMORA_COMPOSITE_ROWS(PF_PixelFloat)
#undef LUMORA_COMPOSITE_ROWS

} // namespace AEUtil
