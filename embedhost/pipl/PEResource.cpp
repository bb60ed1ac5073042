// Finds resource PIPL 16000 in a PE module file by walking its resource directory: type, then
// id, then the first language. Every offset is checked before it is followed.
#include <cctype>
#include <optional>
#include <string>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"

namespace lumora::pipl {

namespace {

constexpr std::uint16_t kMagicPE32 = 0x10b;
constexpr std::uint16_t kMagicPE32Plus = 0x20b;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

class PEImage {
public:
    explicit PEImage(std::span<const unsigned char> image) : in_(image, "PE file") { parseHeaders(); }

    // File bytes of `size` bytes at `rva`; they must lie in one section's data on disk.
    std::span<const unsigned char> atRva(std::uint32_t rva, std::uint32_t size, const char *what) const {
        for (const Section &s : sections_) {
            if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize)
                continue;
            const std::uint32_t within = rva - s.virtualAddress;
            if (size > s.rawSize - within)
                fail("PE file: %s (RVA 0x%x, %u bytes) runs past the end of its section", what, rva, size);
            return in_.bytes(std::uint64_t{s.rawOffset} + within, size);
        }
        fail("PE file: %s (RVA 0x%x) lies in no section's file data", what, rva);
    }

    std::uint32_t resourceRva() const { return resourceRva_; }
    std::uint32_t resourceSize() const { return resourceSize_; }

private:
    void parseHeaders() {
        if (in_.size() < 64 || in_.u16(0) != 0x5a4d)
            fail("PE file: no DOS header");
        const std::uint32_t pe = in_.u32(0x3c);
        if (!in_.contains(pe, 24) || in_.u32(pe) != 0x00004550)
            fail("PE file: no PE signature at offset %u", pe);
        const std::uint16_t sectionCount = in_.u16(std::uint64_t{pe} + 6);
        const std::uint16_t optionalSize = in_.u16(std::uint64_t{pe} + 20);
        const std::uint64_t optional = std::uint64_t{pe} + 24;
        const std::uint16_t magic = in_.u16(optional);
        std::uint64_t directories = 0;
        if (magic == kMagicPE32Plus)
            directories = 112;
        else if (magic == kMagicPE32)
            directories = 96;
        else
            fail("PE file: unknown optional header magic 0x%x at offset %llu", magic,
                 static_cast<unsigned long long>(optional));
        const std::uint32_t directoryCount = in_.u32(optional + directories - 4);
        const std::uint64_t resourceEntry = directories + 8 * kResourceDirectoryIndex;
        if (directoryCount > kResourceDirectoryIndex && resourceEntry + 8 <= optionalSize) {
            resourceRva_ = in_.u32(optional + resourceEntry);
            resourceSize_ = in_.u32(optional + resourceEntry + 4);
        }
        const std::uint64_t table = optional + optionalSize;
        for (std::uint16_t i = 0; i < sectionCount; ++i) {
            const std::uint64_t header = table + 40u * i;
            sections_.push_back({in_.u32(header + 12), in_.u32(header + 16), in_.u32(header + 20)});
        }
    }

    ByteReader in_;
    std::vector<Section> sections_;
    std::uint32_t resourceRva_ = 0;
    std::uint32_t resourceSize_ = 0;
};

struct DirectoryEntry {
    std::uint32_t name;   // an id, or kHighBit | offset of a counted UTF-16 name
    std::uint32_t target; // kHighBit | subdirectory offset, or a data entry offset
};

class ResourceTree {
public:
    explicit ResourceTree(std::span<const unsigned char> bytes) : in_(bytes, "PE resource directory") {}

    std::vector<DirectoryEntry> entries(std::uint32_t directory) const {
        const std::uint64_t at = directory;
        const std::uint32_t count = std::uint32_t{in_.u16(at + 12)} + in_.u16(at + 14); // named + id entries
        std::vector<DirectoryEntry> result;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint64_t entry = at + 16 + 8 * std::uint64_t{i};
            result.push_back({in_.u32(entry), in_.u32(entry + 4)});
        }
        return result;
    }

    // Resource names are compared as the resource compiler stores them: case-insensitively.
    bool nameEquals(const DirectoryEntry &entry, std::string_view wanted) const {
        if (!(entry.name & kHighBit))
            return false;
        const std::uint64_t at = entry.name & ~kHighBit;
        const std::uint16_t length = in_.u16(at);
        if (length != wanted.size())
            return false;
        for (std::uint16_t i = 0; i < length; ++i) {
            const std::uint16_t c = in_.u16(at + 2 + 2 * std::uint64_t{i});
            if (c > 0x7f || std::toupper(c) != std::toupper(static_cast<unsigned char>(wanted[i])))
                return false;
        }
        return true;
    }

    std::uint32_t u32(std::uint64_t offset) const { return in_.u32(offset); }

private:
    ByteReader in_;
};

std::uint32_t subdirectory(const DirectoryEntry &entry, const char *what) {
    if (!(entry.target & kHighBit))
        fail("PE file: %s is a data entry where a directory was expected", what);
    return entry.target & ~kHighBit;
}

} // namespace

std::span<const unsigned char> piplFromPE(std::span<const unsigned char> image) {
    const PEImage pe(image);
    if (pe.resourceRva() == 0 || pe.resourceSize() == 0)
        fail("no PIPL resource 16000: the module has no resources");
    const ResourceTree tree(pe.atRva(pe.resourceRva(), pe.resourceSize(), "resource directory"));

    std::optional<std::uint32_t> typeDirectory;
    for (const DirectoryEntry &entry : tree.entries(0))
        if (tree.nameEquals(entry, kPiPLResourceType)) {
            typeDirectory = subdirectory(entry, "resource type PIPL");
            break;
        }
    if (!typeDirectory)
        fail("no PIPL resource 16000: the module has no resource of type PIPL");

    std::optional<std::uint32_t> languages;
    for (const DirectoryEntry &entry : tree.entries(*typeDirectory))
        if (entry.name == kPiPLResourceId) {
            languages = subdirectory(entry, "resource PIPL 16000");
            break;
        }
    if (!languages)
        fail("no PIPL resource 16000");

    const std::vector<DirectoryEntry> variants = tree.entries(*languages);
    if (variants.empty())
        fail("PE file: resource PIPL 16000 has no language entry");
    if (variants.front().target & kHighBit)
        fail("PE file: language entry of resource PIPL 16000 is a directory, not data");
    const std::uint32_t dataEntry = variants.front().target;
    return pe.atRva(tree.u32(dataEntry), tree.u32(std::uint64_t{dataEntry} + 4), "resource PIPL 16000 data");
}

} // namespace lumora::pipl
