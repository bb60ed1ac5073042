// An image as the host holds a layer's or an output's pixels: straight ARGB at one of the
// host's depths (8 bit 0...255, 16 bit 0...32768, float 0...1), rows packed without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"

namespace embedhost {

struct Image {
    A_long width = 0;
    A_long height = 0;
    PF_PixelFormat format = PF_PixelFormat_ARGB32; // ARGB32, ARGB64 or ARGB128
    std::vector<std::uint8_t> pixels;              // height rows of width * pixelBytes()

    // Zero-filled (transparent black); an unknown format gives an empty image of that format.
    static Image make(A_long width, A_long height, PF_PixelFormat format) {
        Image image;
        image.width = width;
        image.height = height;
        image.format = format;
        image.pixels.assign(image.rowBytes() * static_cast<std::size_t>(height > 0 ? height : 0), 0);
        return image;
    }
    static std::size_t pixelBytes(PF_PixelFormat format) {
        switch (format) {
        case PF_PixelFormat_ARGB32: return sizeof(PF_Pixel8);
        case PF_PixelFormat_ARGB64: return sizeof(PF_Pixel16);
        case PF_PixelFormat_ARGB128: return sizeof(PF_PixelFloat);
        default: return 0;
        }
    }
    std::size_t pixelBytes() const { return pixelBytes(format); }
    std::size_t rowBytes() const { return pixelBytes() * static_cast<std::size_t>(width > 0 ? width : 0); }
    bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }

    // Pixel is PF_Pixel8, PF_Pixel16 or PF_PixelFloat, matching the format.
    template <class Pixel>
    Pixel *row(A_long y) {
        return reinterpret_cast<Pixel *>(pixels.data() + rowBytes() * static_cast<std::size_t>(y));
    }
    template <class Pixel>
    const Pixel *row(A_long y) const {
        return reinterpret_cast<const Pixel *>(pixels.data() + rowBytes() * static_cast<std::size_t>(y));
    }
};

} // namespace embedhost
