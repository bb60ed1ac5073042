// Small hand-laid PE and ELF module images with a property-list payload, for testing the
// module readers on layouts and defects a real linker would not produce.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora::test {

using Bytes = std::vector<unsigned char>;

// Eight recognisable bytes; the readers do not decode what they find.
Bytes samplePayload();

struct PEImageOptions {
    Bytes payload = samplePayload();
    std::string typeName = "PIPL"; // at most 8 characters
    std::uint32_t resourceId = 16000;
    bool languageEntry = true;
    bool pe32 = false;                     // PE32 optional header instead of PE32+
    bool resourceDirectory = true;         // data directory entry 2 filled in
    std::uint32_t dataRvaShift = 0;        // moves the data entry's RVA
    std::optional<std::uint32_t> dataSize; // overrides the data entry's size
};

// Layout: headers, a ".text" section at file 0x400 (RVA 0x1000) and ".rsrc" at file 0x600
// (RVA 0x2000, 0x200 bytes) holding the directory tree at 0x00..0x7f and the payload at 0x80.
Bytes makePE(const PEImageOptions &options);
inline constexpr std::size_t kPERootEntryTarget = 0x600 + 0x14; // file offset of a patchable field

struct ElfImageOptions {
    Bytes payload = samplePayload();
    std::string sectionName = ".pipl";
    std::uint32_t sectionType = 1;            // SHT_PROGBITS
    unsigned char elfClass = 2;               // ELFCLASS64
    unsigned char byteOrder = 1;              // ELFDATA2LSB
    bool extendedCount = false;               // e_shnum 0, count in section 0
    std::optional<std::uint64_t> payloadSize; // overrides the section's sh_size
    std::optional<std::uint16_t> nameTableIndex;
};

// Layout: ELF header, payload at 0x40, the section name table, then three section headers
// (null, payload, names).
Bytes makeElf(const ElfImageOptions &options);

} // namespace lumora::test
