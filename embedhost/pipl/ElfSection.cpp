// Finds the ".pipl" section of a 64-bit little-endian ELF module file through its section
// header table. Every offset is checked before it is followed.
#include <string_view>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"

namespace lumora::pipl {

namespace {

constexpr unsigned char kClass64 = 2;
constexpr unsigned char kLittleEndian = 1;
constexpr std::uint32_t kSectionNoBits = 8;      // SHT_NOBITS: occupies no file space
constexpr std::uint16_t kExtendedIndex = 0xffff; // SHN_XINDEX
constexpr std::uint64_t kSectionHeaderSize = 64;

struct SectionHeader {
    std::uint32_t name;
    std::uint32_t type;
    std::uint64_t offset;
    std::uint64_t size;
    std::uint32_t link;
};

class ElfImage {
public:
    explicit ElfImage(std::span<const unsigned char> image) : in_(image, "ELF file") {
        if (image.size() < 64)
            fail("ELF file: header truncated (%zu bytes)", image.size());
        if (image[4] != kClass64)
            fail("ELF file: only 64-bit modules are supported (class %u)", image[4]);
        if (image[5] != kLittleEndian)
            fail("ELF file: only little-endian modules are supported");
        tableOffset_ = in_.u64(0x28);
        entrySize_ = in_.u16(0x3a);
        count_ = in_.u16(0x3c);
        nameTable_ = in_.u16(0x3e);
        if (tableOffset_ == 0)
            fail("ELF file: no section header table");
        if (entrySize_ < kSectionHeaderSize)
            fail("ELF file: section header size %llu is too small", static_cast<unsigned long long>(entrySize_));
        // Large counts live in the first section header.
        if (count_ == 0)
            count_ = header(0).size;
        if (nameTable_ == kExtendedIndex)
            nameTable_ = header(0).link;
        if (count_ > image.size() / entrySize_ || !in_.contains(tableOffset_, count_ * entrySize_))
            fail("ELF file: %llu section headers at offset %llu run past the end",
                 static_cast<unsigned long long>(count_), static_cast<unsigned long long>(tableOffset_));
        if (nameTable_ >= count_)
            fail("ELF file: section name table index %llu out of range", static_cast<unsigned long long>(nameTable_));
    }

    std::uint64_t count() const { return count_; }

    SectionHeader header(std::uint64_t index) const {
        const std::uint64_t at = tableOffset_ + index * entrySize_;
        return {in_.u32(at), in_.u32(at + 4), in_.u64(at + 0x18), in_.u64(at + 0x20), in_.u32(at + 0x28)};
    }

    std::span<const unsigned char> contents(const SectionHeader &section) const {
        return in_.bytes(section.offset, section.size);
    }

    // The zero-terminated name at `offset` in the section name table.
    std::string_view sectionName(std::uint32_t offset) const {
        const std::span<const unsigned char> names = contents(header(nameTable_));
        if (offset >= names.size())
            fail("ELF file: section name offset %u outside the name table", offset);
        const auto *start = reinterpret_cast<const char *>(names.data()) + offset;
        const std::string_view rest(start, names.size() - offset);
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos)
            fail("ELF file: section name at offset %u is not terminated", offset);
        return rest.substr(0, end);
    }

private:
    ByteReader in_;
    std::uint64_t tableOffset_ = 0;
    std::uint64_t entrySize_ = 0;
    std::uint64_t count_ = 0;
    std::uint64_t nameTable_ = 0;
};

} // namespace

std::span<const unsigned char> piplFromELF(std::span<const unsigned char> image) {
    const ElfImage elf(image);
    for (std::uint64_t i = 0; i < elf.count(); ++i) {
        const SectionHeader section = elf.header(i);
        if (elf.sectionName(section.name) != kPiPLSectionName)
            continue;
        if (section.type == kSectionNoBits)
            fail("ELF file: section %s has no contents in the file", kPiPLSectionName);
        return elf.contents(section);
    }
    fail("no PIPL resource 16000: the module has no %s section", kPiPLSectionName);
}

} // namespace lumora::pipl
