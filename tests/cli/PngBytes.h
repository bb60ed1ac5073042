// PNG files byte by byte, for tests that need damaged or lying ones.
#pragma once

#include <cstdint>
#include <string>

namespace lumora::test {

inline std::string bigEndian32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

inline std::string pngChunk(const std::string &type, const std::string &data) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : type + data) {
        c ^= b;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return bigEndian32(static_cast<std::uint32_t>(data.size())) + type + data + bigEndian32(~c);
}

inline const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

// 8-bit RGBA of width x height, the image data one empty deflate stream.
inline std::string pngClaiming(std::uint32_t width, std::uint32_t height) {
    std::string png = kPngSignature;
    png += pngChunk("IHDR", bigEndian32(width) + bigEndian32(height) + std::string{8, 6, 0, 0, 0});
    png += pngChunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8));
    png += pngChunk("IEND", "");
    return png;
}

} // namespace lumora::test
