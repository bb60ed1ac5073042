// Channel values between the scales of image files (0..255, 0..65535, float 0..1) and the
// host's (0..255, 0..32768, float 0..1), rounded to the nearest step.
#pragma once

#include <cmath>
#include <cstdint>

namespace lumora::cli {

inline constexpr std::uint32_t kFile8Max = 255;
inline constexpr std::uint32_t kFile16Max = 65535;
inline constexpr std::uint32_t kHost16Max = 32768;

// v / fromMax * toMax to the nearest integer, halves up; v above fromMax counts as fromMax.
// Integer arithmetic: float would misplace the rounding boundary for 16-bit values.
constexpr std::uint32_t rescale(std::uint32_t v, std::uint32_t fromMax, std::uint32_t toMax) {
    if (v > fromMax)
        v = fromMax;
    return static_cast<std::uint32_t>((std::uint64_t{v} * toMax * 2 + fromMax) / (std::uint64_t{fromMax} * 2));
}

// File 0..65535 <-> host 0..32768: an untouched pixel comes back within one host step.
constexpr std::uint16_t hostFromFile16(std::uint16_t v) {
    return static_cast<std::uint16_t>(rescale(v, kFile16Max, kHost16Max));
}
constexpr std::uint16_t file16FromHost(std::uint16_t v) {
    return static_cast<std::uint16_t>(rescale(v, kHost16Max, kFile16Max));
}

// Float 0..1 to 0..toMax, clamped; NaN becomes 0.
inline std::uint32_t quantise(float f, std::uint32_t toMax) {
    if (!(f > 0.0f))
        return 0;
    if (f >= 1.0f)
        return toMax;
    return static_cast<std::uint32_t>(std::lround(static_cast<double>(f) * toMax));
}

} // namespace lumora::cli
