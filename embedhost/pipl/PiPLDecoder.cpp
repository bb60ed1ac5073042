#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/PiPL.h"

namespace lumora::pipl {

namespace {

constexpr std::size_t kHeaderSize = 10;         // version (16), reserved (32), count (32)
constexpr std::size_t kPropertyHeaderSize = 16; // vendor, key, id, length

// Stored byte-reversed by the resource compiler; shown in reading order.
std::string readableFourCC(std::span<const unsigned char> stored) { return {stored.rbegin(), stored.rend()}; }

} // namespace

PiPL decodePiPL(std::span<const unsigned char> bytes) {
    const ByteReader in(bytes, "property list");
    if (bytes.size() < kHeaderSize)
        fail("property list: header needs %zu bytes, have %zu", kHeaderSize, bytes.size());

    PiPL list;
    list.version = in.u16(0);
    list.reserved = in.u32(2);
    list.count = in.u32(6);
    if (list.version != 1)
        fail("property list: unsupported version word %u at offset 0 (expected 1)", list.version);

    std::size_t offset = kHeaderSize;
    for (std::uint32_t i = 0; i < list.count; ++i) {
        if (!in.contains(offset, kPropertyHeaderSize))
            fail("property list: property %u of %u at offset %zu: header runs past the end (size %zu)", i + 1,
                 list.count, offset, bytes.size());
        PiPLProperty property;
        property.offset = offset;
        property.vendor = readableFourCC(in.bytes(offset, 4));
        property.key = readableFourCC(in.bytes(offset + 4, 4));
        property.id = in.u32(offset + 8);
        property.length = in.u32(offset + 12);
        const std::size_t dataOffset = offset + kPropertyHeaderSize;
        if (property.length % 4 != 0)
            fail("property list: property '%s' at offset %zu: length %u is not a multiple of 4", property.key.c_str(),
                 offset, property.length);
        if (!in.contains(dataOffset, property.length))
            fail("property list: property '%s' at offset %zu: %u data bytes at offset %zu run past the end "
                 "(size %zu)",
                 property.key.c_str(), offset, property.length, dataOffset, bytes.size());
        const std::span<const unsigned char> data = in.bytes(dataOffset, property.length);
        property.data.assign(data.begin(), data.end());
        list.properties.push_back(std::move(property));
        offset = dataOffset + list.properties.back().length;
    }
    if (offset != bytes.size())
        fail("property list: %zu unexpected bytes after the last property, at offset %zu", bytes.size() - offset,
             offset);
    return list;
}

const PiPLProperty *PiPL::find(std::string_view key) const {
    for (const PiPLProperty &property : properties)
        if (property.key == key)
            return &property;
    return nullptr;
}

} // namespace lumora::pipl
