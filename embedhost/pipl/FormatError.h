// The error raised for malformed property lists and module files, and a bounds-checked
// little-endian reader that raises it instead of reading past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>

namespace lumora::pipl {

class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws FormatError with a printf-style message.
[[noreturn]] void fail(const char *format, ...)
#if defined(__MINGW_PRINTF_FORMAT)
    __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

class ByteReader {
public:
    // `what` names the data in error messages ("property list", "PE file").
    ByteReader(std::span<const unsigned char> bytes, const char *what) : bytes_(bytes), what_(what) {}

    std::size_t size() const { return bytes_.size(); }
    bool contains(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }

    std::uint16_t u16(std::uint64_t offset) const;
    std::uint32_t u32(std::uint64_t offset) const;
    std::uint64_t u64(std::uint64_t offset) const;
    std::span<const unsigned char> bytes(std::uint64_t offset, std::uint64_t count) const;

private:
    std::uint64_t little(std::uint64_t offset, unsigned width) const;

    std::span<const unsigned char> bytes_;
    const char *what_;
};

} // namespace lumora::pipl
