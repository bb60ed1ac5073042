// Serialises a property list in the byte layout the host's Windows resource compiler produces:
// little-endian integers, byte-reversed four-character codes, data padded to four bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumora::piplgen {

class PiPLWriter {
public:
    // Keys and four-character values are given in reading order ("kind", "eFKT").
    void addFourCC(std::string_view key, std::string_view value);
    // One length byte, then the characters.
    void addPascalString(std::string_view key, std::string_view text);
    // The characters and a terminating zero.
    void addCString(std::string_view key, std::string_view text);
    void addLong(std::string_view key, std::uint32_t value);
    // A 16-bit value; the property still occupies a full four-byte data field.
    void addShort(std::string_view key, std::uint16_t value);
    // Major in the high half-word, minor in the low one, as one 32-bit word.
    void addVersion(std::string_view key, std::uint16_t major, std::uint16_t minor);

    // Header (version 1, reserved 0, property count) followed by the properties.
    std::vector<unsigned char> bytes() const;

private:
    void addProperty(std::string_view key, std::vector<unsigned char> data);

    std::vector<unsigned char> body_;
    std::uint32_t count_ = 0;
};

} // namespace lumora::piplgen
