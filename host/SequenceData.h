// The effect's per-instance sequence data: the 24-byte record held in a host handle, and its
// flattened form, which stores the version before the size, every word little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace AEUtil {

inline constexpr uint32_t kSequenceMagic = 0x70736571;
inline constexpr uint32_t kSequenceVersion = 1;
inline constexpr std::size_t kSequenceSize = 24;
inline constexpr std::size_t kFlatSequenceSize = 24;

struct SequenceRecord {
    uint32_t magic;
    uint32_t reserved;
    uint32_t size;
    uint32_t version;
    uint8_t reservedBytes[8];
};
static_assert(sizeof(SequenceRecord) == kSequenceSize);

SequenceRecord defaultSequenceRecord() noexcept;

// magic, 1, version, size, then the eight reserved bytes.
std::array<uint8_t, kFlatSequenceSize> flattenSequence(const SequenceRecord &record) noexcept;

// Reads a flat form back (the word after the magic is not kept). Fewer than 24 bytes, or
// anything but the magic with version 1, gives the default record; the size word is taken as
// stored.
SequenceRecord unflattenSequence(const uint8_t *bytes, std::size_t count) noexcept;

} // namespace AEUtil
