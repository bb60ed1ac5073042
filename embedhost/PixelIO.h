// Reading and writing one ARGB pixel of any of the host's depths as doubles on that depth's own
// scale (255, 32768 or 1.0), for the host's resampling, conversion and fill code.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace embedhost::pixelio {

struct Argb {
    double a = 0, r = 0, g = 0, b = 0;
};

inline double channelMax(PF_PixelFormat format) {
    switch (format) {
    case PF_PixelFormat_ARGB32: return 255.0;
    case PF_PixelFormat_ARGB64: return 32768.0;
    default: return 1.0;
    }
}

inline Argb load(const std::uint8_t *row, PF_PixelFormat format, A_long x) {
    switch (format) {
    case PF_PixelFormat_ARGB32: {
        PF_Pixel8 p;
        std::memcpy(&p, row + sizeof p * std::size_t(x), sizeof p);
        return {double(p.alpha), double(p.red), double(p.green), double(p.blue)};
    }
    case PF_PixelFormat_ARGB64: {
        PF_Pixel16 p;
        std::memcpy(&p, row + sizeof p * std::size_t(x), sizeof p);
        return {double(p.alpha), double(p.red), double(p.green), double(p.blue)};
    }
    default: {
        PF_PixelFloat p;
        std::memcpy(&p, row + sizeof p * std::size_t(x), sizeof p);
        return {double(p.alpha), double(p.red), double(p.green), double(p.blue)};
    }
    }
}

// Integer depths round to nearest and clamp to their range; float is stored as is.
inline void store(std::uint8_t *row, PF_PixelFormat format, A_long x, const Argb &v) {
    const double hi = channelMax(format);
    auto whole = [hi](double c) { return std::clamp(std::floor(c + 0.5), 0.0, hi); };
    switch (format) {
    case PF_PixelFormat_ARGB32: {
        const PF_Pixel8 p{A_u_char(whole(v.a)), A_u_char(whole(v.r)), A_u_char(whole(v.g)), A_u_char(whole(v.b))};
        std::memcpy(row + sizeof p * std::size_t(x), &p, sizeof p);
        break;
    }
    case PF_PixelFormat_ARGB64: {
        const PF_Pixel16 p{A_u_short(whole(v.a)), A_u_short(whole(v.r)), A_u_short(whole(v.g)), A_u_short(whole(v.b))};
        std::memcpy(row + sizeof p * std::size_t(x), &p, sizeof p);
        break;
    }
    default: {
        const PF_PixelFloat p{float(v.a), float(v.r), float(v.g), float(v.b)};
        std::memcpy(row + sizeof p * std::size_t(x), &p, sizeof p);
        break;
    }
    }
}

// A value on one depth's scale moved to another's (8 bit 255 becomes 16 bit 32768 and float 1).
inline Argb rescale(const Argb &v, PF_PixelFormat from, PF_PixelFormat to) {
    const double k = channelMax(to) / channelMax(from);
    return {v.a * k, v.r * k, v.g * k, v.b * k};
}

} // namespace embedhost::pixelio
