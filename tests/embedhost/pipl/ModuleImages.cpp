#include "tests/embedhost/pipl/ModuleImages.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lumora::test {

namespace {

void put(Bytes &b, std::size_t at, std::uint64_t value, int width) {
    if (b.size() < at + width)
        b.resize(at + width);
    for (int i = 0; i < width; ++i)
        b[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void put16(Bytes &b, std::size_t at, std::uint64_t v) { put(b, at, v, 2); }
void put32(Bytes &b, std::size_t at, std::uint64_t v) { put(b, at, v, 4); }
void put64(Bytes &b, std::size_t at, std::uint64_t v) { put(b, at, v, 8); }

void putText(Bytes &b, std::size_t at, const std::string &text) {
    if (b.size() < at + text.size())
        b.resize(at + text.size());
    std::memcpy(&b[at], text.data(), text.size());
}

} // namespace

Bytes samplePayload() { return {'p', 'i', 'p', 'l', 'd', 'a', 't', 'a'}; }

Bytes makePE(const PEImageOptions &o) {
    if (o.payload.size() > 0x180 || o.typeName.size() > 8)
        throw std::invalid_argument("makePE: payload or type name too large for the layout");
    Bytes b(0x800, 0);
    putText(b, 0, "MZ");
    put32(b, 0x3c, 0x80);
    putText(b, 0x80, std::string("PE\0\0", 4));
    put16(b, 0x84, 0x8664); // machine
    put16(b, 0x86, 2);      // sections
    const std::size_t optional = 0x98;
    const std::size_t directories = o.pe32 ? 96 : 112;
    put16(b, 0x94, directories + 16 * 8); // size of the optional header
    put16(b, optional, o.pe32 ? 0x10b : 0x20b);
    put32(b, optional + directories - 4, 16); // data directory count
    if (o.resourceDirectory) {
        put32(b, optional + directories + 16, 0x2000);
        put32(b, optional + directories + 20, 0x200);
    }
    const std::size_t sections = optional + directories + 16 * 8;
    putText(b, sections, ".text");
    put32(b, sections + 8, 0x200);
    put32(b, sections + 12, 0x1000);
    put32(b, sections + 16, 0x200);
    put32(b, sections + 20, 0x400);
    putText(b, sections + 40, ".rsrc");
    put32(b, sections + 48, 0x200);
    put32(b, sections + 52, 0x2000);
    put32(b, sections + 56, 0x200);
    put32(b, sections + 60, 0x600);

    const std::size_t r = 0x600;
    put16(b, r + 12, 1);                    // root: one named entry
    put32(b, r + 0x10, 0x80000000u | 0x60); // name string
    put32(b, r + 0x14, 0x80000000u | 0x18); // type directory
    put16(b, r + 0x18 + 14, 1);             // type: one id entry
    put32(b, r + 0x28, o.resourceId);
    put32(b, r + 0x2c, 0x80000000u | 0x30); // language directory
    if (o.languageEntry) {
        put16(b, r + 0x30 + 14, 1);
        put32(b, r + 0x40, 0x409);
        put32(b, r + 0x44, 0x50); // data entry
    }
    put32(b, r + 0x50, 0x2000 + 0x80 + o.dataRvaShift);
    put32(b, r + 0x54, o.dataSize.value_or(static_cast<std::uint32_t>(o.payload.size())));
    put16(b, r + 0x60, o.typeName.size());
    for (std::size_t i = 0; i < o.typeName.size(); ++i)
        put16(b, r + 0x62 + 2 * i, static_cast<unsigned char>(o.typeName[i]));
    std::memcpy(&b[r + 0x80], o.payload.data(), o.payload.size());
    return b;
}

Bytes makeElf(const ElfImageOptions &o) {
    const std::size_t payload = 0x40;
    const std::size_t names = payload + o.payload.size();
    const std::string table =
        std::string("\0", 1) + o.sectionName + std::string("\0", 1) + ".shstrtab" + std::string("\0", 1);
    const std::size_t headers = (names + table.size() + 7) & ~std::size_t{7};
    Bytes b(headers + 3 * 64, 0);

    putText(b, 0,
            "\x7f"
            "ELF");
    b[4] = o.elfClass;
    b[5] = o.byteOrder;
    b[6] = 1;             // version
    put16(b, 0x10, 3);    // ET_DYN
    put16(b, 0x12, 0x3e); // x86-64
    std::copy(o.payload.begin(), o.payload.end(), b.begin() + payload);
    putText(b, names, table);

    put64(b, 0x28, headers);
    put16(b, 0x3a, 64);
    put16(b, 0x3c, o.extendedCount ? 0 : 3);
    put16(b, 0x3e, o.nameTableIndex.value_or(o.extendedCount ? 0xffff : 2));
    if (o.extendedCount) {
        put64(b, headers + 0x20, 3); // section 0 sh_size: the count
        put32(b, headers + 0x28, 2); // section 0 sh_link: the name table index
    }
    const std::size_t s1 = headers + 64;
    put32(b, s1, 1); // name offset
    put32(b, s1 + 4, o.sectionType);
    put64(b, s1 + 0x18, payload);
    put64(b, s1 + 0x20, o.payloadSize.value_or(o.payload.size()));
    const std::size_t s2 = headers + 128;
    put32(b, s2, 1 + o.sectionName.size() + 1);
    put32(b, s2 + 4, 3); // SHT_STRTAB
    put64(b, s2 + 0x18, names);
    put64(b, s2 + 0x20, table.size());
    return b;
}

} // namespace lumora::test
