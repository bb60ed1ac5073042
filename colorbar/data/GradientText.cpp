#include "colorbar/data/GradientText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace AEUtil {

namespace {

constexpr std::size_t kListBytes = 2 * sizeof(ColorFlagList);
constexpr std::size_t kListOffset = offsetof(GradientData, current);

// Base-16 like strtol, but through 64 bits and then truncated, so a header such as ffffffff
// reads the same where long has 32 bits (Windows) as where it has 64.
std::uint64_t parseHex(const char *token) noexcept { return std::strtoull(token, nullptr, 16); }

// strtok over a private buffer, without its hidden state.
char *nextToken(char *&cursor, const char *delimiters) noexcept {
    cursor += std::strspn(cursor, delimiters);
    if (*cursor == '\0')
        return nullptr;
    char *token = cursor;
    cursor += std::strcspn(cursor, delimiters);
    if (*cursor != '\0')
        *cursor++ = '\0';
    return token;
}

} // namespace

PF_Err printGradientText(const GradientData &data, bool abbreviated, char *buffer, std::size_t size) noexcept {
    if (!buffer || size < kGradientPrintSize)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (abbreviated) {
        buffer[0] = '\0';
        return PF_Err_NONE;
    }
    const void *end = std::memchr(data.presetName, '\0', kGradientNameSize - 1);
    const int nameLength =
        end ? static_cast<int>(static_cast<const char *>(end) - data.presetName) : int(kGradientNameSize - 1);
    int at =
        std::snprintf(buffer, size, "%08x\t%.*s\t", static_cast<unsigned>(data.header), nameLength, data.presetName);
    const auto *bytes = reinterpret_cast<const unsigned char *>(&data) + kListOffset;
    for (std::size_t i = 0; i < kListBytes; ++i)
        at += std::snprintf(buffer + at, size - static_cast<std::size_t>(at), "%02x,", bytes[i]);
    return PF_Err_NONE;
}

PF_Err scanGradientText(const char *text, std::size_t bytes, GradientData &data) noexcept {
    if (!text)
        return PF_Err_BAD_CALLBACK_PARAM;
    // One byte more than the text, so tokenising always meets a terminator.
    const std::unique_ptr<char[]> copy(new (std::nothrow) char[bytes + 1]);
    if (!copy)
        return PF_Err_OUT_OF_MEMORY;
    std::memcpy(copy.get(), text, bytes);
    copy[bytes] = '\0';

    char *cursor = copy.get();
    const char *headerToken = nextToken(cursor, "\t");
    const char *name = nullptr;
    std::size_t nameLength = 0;
    if (headerToken && *cursor != '\0') {
        // The name runs to the next tab and may be empty; strtok would skip an empty field
        // and take the byte list for the name.
        name = cursor;
        nameLength = std::strcspn(cursor, "\t");
        if (nameLength >= kGradientNameSize)
            return PF_Err_CANNOT_PARSE_KEYFRAME_TEXT;
        cursor += nameLength;
        if (*cursor != '\0')
            *cursor++ = '\0';
    }

    if (headerToken)
        data.header = static_cast<A_long>(static_cast<std::uint32_t>(parseHex(headerToken)));
    if (name) {
        std::memset(data.presetName, 0, sizeof data.presetName);
        std::memcpy(data.presetName, name, nameLength);
    }
    auto *out = reinterpret_cast<unsigned char *>(&data) + kListOffset;
    for (std::size_t i = 0; i < kListBytes; ++i) {
        const char *token = nextToken(cursor, "\t ,");
        if (!token)
            break;
        out[i] = static_cast<unsigned char>(parseHex(token) & 0xff);
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
