#include "cli/PngCheck.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace lumora::cli {

namespace {

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// Deflate stores at most 1032 bytes in one.
constexpr std::uint64_t kMostInflated = 1032;
constexpr std::uint32_t kMostChunkBytes = 0x7FFFFFFFu;

std::uint32_t bigEndian(const unsigned char *p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Channels of a colour type with its bit depth, 0 for a combination the format does not have.
int channelsOf(unsigned colorType, unsigned bitDepth) {
    const bool wide = bitDepth == 8 || bitDepth == 16;
    switch (colorType) {
    case 0: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || wide ? 1 : 0;
    case 2: return wide ? 3 : 0;
    case 3: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 ? 1 : 0;
    case 4: return wide ? 2 : 0;
    case 6: return wide ? 4 : 0;
    default: return 0;
    }
}

} // namespace

bool hasPngSignature(std::istream &in) {
    std::array<unsigned char, 8> start{};
    in.read(reinterpret_cast<char *>(start.data()), start.size());
    return in.gcount() == static_cast<std::streamsize>(start.size()) && start == kSignature;
}

std::string pngFault(std::istream &in) {
    const std::string cutShort = "the file is cut short (it ends before its IEND chunk)";
    std::uint64_t pixelBits = 0, imageDataBytes = 0;
    std::uint32_t width = 0, height = 0;
    for (int index = 0;; ++index) {
        unsigned char head[8];
        in.read(reinterpret_cast<char *>(head), sizeof head);
        if (in.gcount() != sizeof head)
            return cutShort;
        const std::uint32_t length = bigEndian(head);
        const std::string type(reinterpret_cast<const char *>(head + 4), 4);
        if (length > kMostChunkBytes || !isLetter(head[4]) || !isLetter(head[5]) || !isLetter(head[6]) ||
            !isLetter(head[7]))
            return "it is damaged (chunk " + std::to_string(index + 1) + " has no valid length and name)";
        if (index == 0 && (type != "IHDR" || length != 13))
            return "it is damaged (it does not begin with its header chunk)";

        uLong crc = crc32(0L, head + 4, 4);
        unsigned char header[13] = {};
        char block[1 << 16];
        for (std::uint32_t left = length; left > 0;) {
            const auto want = static_cast<std::streamsize>(left < sizeof block ? left : sizeof block);
            in.read(block, want);
            if (in.gcount() != want)
                return cutShort;
            crc = crc32(crc, reinterpret_cast<const Bytef *>(block), static_cast<uInt>(want));
            if (index == 0)
                std::copy(block, block + sizeof header, header);
            left -= static_cast<std::uint32_t>(want);
        }
        unsigned char stored[4];
        in.read(reinterpret_cast<char *>(stored), sizeof stored);
        if (in.gcount() != sizeof stored)
            return cutShort;
        // An ancillary chunk with a bad checksum is skipped by the reader, as the format allows.
        const bool critical = head[4] >= 'A' && head[4] <= 'Z';
        if (critical && bigEndian(stored) != crc)
            return "it is damaged (the checksum of its " + type + " chunk does not match)";

        if (index == 0) {
            width = bigEndian(header);
            height = bigEndian(header + 4);
            const int channels = channelsOf(header[9], header[8]);
            if (width == 0 || height == 0 || width > kMostChunkBytes || height > kMostChunkBytes || channels == 0)
                return "it is damaged (its header chunk holds no valid size and colour type)";
            pixelBits = std::uint64_t{width} * height * static_cast<std::uint64_t>(channels) * header[8];
        } else if (type == "IDAT") {
            imageDataBytes += length;
        } else if (type == "IEND") {
            break;
        }
    }
    if (imageDataBytes == 0)
        return "it holds no image data";
    if (pixelBits / 8 > imageDataBytes * kMostInflated)
        return "its header claims " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than its " + std::to_string(imageDataBytes) + " bytes of image data can hold";
    return {};
}

} // namespace lumora::cli
