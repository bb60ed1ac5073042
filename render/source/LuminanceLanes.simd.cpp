// The luminance lanes (see LuminanceLanes.h), compiled once per instruction set like the blur's
// lanes and under the same rule: no inline function of a shared header but LaneVectors.h.
#include "render/pipeline/LaneVectors.h"
#include "render/source/LuminanceLanes.h"

namespace AEUtil::LUMORA_ISA {

namespace {

constexpr int32_t W = 8;

using F64 = double __attribute__((vector_size(8 * W)));
using I32 = int32_t __attribute__((vector_size(4 * W)));
using I64 = int64_t __attribute__((vector_size(8 * W)));
using U16 = uint16_t __attribute__((vector_size(2 * W)));

// Eight pixels, and one channel of them.
template <class Chan>
struct Lanes;
template <>
struct Lanes<uint8_t> {
    using Pixels = uint8_t __attribute__((vector_size(4 * W)));
    using Channel = uint8_t __attribute__((vector_size(W)));
};
template <>
struct Lanes<uint16_t> {
    using Pixels = uint16_t __attribute__((vector_size(8 * W)));
    using Channel = uint16_t __attribute__((vector_size(2 * W)));
};
template <class Chan>
using Pixels = typename Lanes<Chan>::Pixels;

// Channel c of the eight pixels, as lanes of V.
template <int c, class Chan, class V>
V channel(Pixels<Chan> p) {
    const typename Lanes<Chan>::Channel v =
        __builtin_shufflevector(p, p, c, c + 4, c + 8, c + 12, c + 16, c + 20, c + 24, c + 28);
    return __builtin_convertvector(v, V);
}

// Alpha on the 16-bit scale. 8 bpc: (a * 32768 + 128) / 255 floored, which is 128 a plus
// floor(x / 255) for x = 128 (a + 1), taken as (x + 1 + (x >> 8)) >> 8 (exact for x < 65536).
I32 alpha16(I32 a, const uint8_t *) {
    const I32 x = (a + 1) * 128;
    return a * 128 + ((x + 1 + (x >> 8)) >> 8);
}
I32 alpha16(I32 a, const uint16_t *) { return a; }

constexpr double scaleOf(const uint8_t *) { return 0.00392156862745098; }
constexpr double scaleOf(const uint16_t *) { return 1.0 / 32768.0; }

template <class V>
bool anyLane(V m) {
    bool any = false;
    for (int32_t k = 0; k < W; ++k)
        any |= m[k] != 0;
    return any;
}

template <class Chan>
void luminanceLanes(const Chan *argb, int32_t width, const LuminanceLaneRule &rule, uint16_t *dst) {
    constexpr double scale = scaleOf(static_cast<const Chan *>(nullptr));
    Chan tail[4 * W];
    uint16_t tailOut[W];
    for (int32_t x = 0; x < width; x += W) {
        const int32_t n = width - x < W ? width - x : W;
        const Chan *from = argb + 4 * x;
        uint16_t *to = n < W ? tailOut : dst + x;
        if (n < W) { // the last few pixels, through a padded copy
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, from, sizeof(Chan) * 4 * static_cast<std::size_t>(n));
            from = tail;
        }
        const Pixels<Chan> p = load<Pixels<Chan>>(from);
        const I32 a16 = alpha16(channel<0, Chan, I32>(p), argb);
        const I32 transparent = a16 == 0;
        if (!anyLane(~transparent)) {
            // Nothing but alpha 0, as most of the enlarged area's border.
            for (int32_t k = 0; k < W; ++k)
                to[k] = rule.clear;
        } else {
            // The literal order: green, red, blue, then the scale; capped to 0 ... 1.
            F64 l = (channel<2, Chan, F64>(p) * 0.586611 + channel<1, Chan, F64>(p) * 0.298912 +
                     channel<3, Chan, F64>(p) * 0.114478) *
                    scale;
            l = 1.0 < l ? 1.0 : l;
            l = l >= 0.0 ? l : 0.0;
            const F64 v = __builtin_convertvector(a16, F64) * l;
            // Whole above the threshold, faded in the soft zone, 0 below; each then truncated.
            F64 r = v > rule.thrMinus1 ? v + 0.5 : 0.0;
            const I64 soft = (v > rule.lo) & (v <= rule.thrMinus1);
            if (anyLane(soft))
                r = soft ? (v - rule.lo) / rule.soft * v + 0.5 : r;
            r = r < 65535.0 ? r : 65535.0;
            const I32 out = __builtin_convertvector(r, I32);
            const U16 kept = __builtin_convertvector(transparent ? I32{} + rule.clear : out, U16);
            store(to, kept);
        }
        if (n < W)
            std::memcpy(dst + x, tailOut, sizeof(uint16_t) * static_cast<std::size_t>(n));
    }
}

} // namespace

void luminanceLanes8(const uint8_t *argb, int32_t width, const LuminanceLaneRule &rule, uint16_t *dst) {
    luminanceLanes(argb, width, rule, dst);
}

void luminanceLanes16(const uint16_t *argb, int32_t width, const LuminanceLaneRule &rule, uint16_t *dst) {
    luminanceLanes(argb, width, rule, dst);
}

} // namespace AEUtil::LUMORA_ISA
