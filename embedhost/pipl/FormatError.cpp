#include "embedhost/pipl/FormatError.h"

#include <cstdarg>
#include <cstdio>

namespace lumora::pipl {

void fail(const char *format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    throw FormatError(text);
}

std::span<const unsigned char> ByteReader::bytes(std::uint64_t offset, std::uint64_t count) const {
    if (!contains(offset, count))
        fail("%s: %llu bytes at offset %llu run past the end (size %llu)", what_,
             static_cast<unsigned long long>(count), static_cast<unsigned long long>(offset),
             static_cast<unsigned long long>(bytes_.size()));
    return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
}

std::uint64_t ByteReader::little(std::uint64_t offset, unsigned width) const {
    const std::span<const unsigned char> field = bytes(offset, width);
    std::uint64_t value = 0;
    for (unsigned i = width; i-- > 0;)
        value = (value << 8) | field[i];
    return value;
}

std::uint16_t ByteReader::u16(std::uint64_t offset) const { return static_cast<std::uint16_t>(little(offset, 2)); }
std::uint32_t ByteReader::u32(std::uint64_t offset) const { return static_cast<std::uint32_t>(little(offset, 4)); }
std::uint64_t ByteReader::u64(std::uint64_t offset) const { return little(offset, 8); }

} // namespace lumora::pipl
