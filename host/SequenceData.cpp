#include "host/SequenceData.h"

#include <cstring>

namespace AEUtil {

namespace {

void putWord(uint8_t *at, uint32_t value) noexcept {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getWord(const uint8_t *at) noexcept {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return value;
}

} // namespace

SequenceRecord defaultSequenceRecord() noexcept {
    SequenceRecord record{};
    record.magic = kSequenceMagic;
    record.size = kSequenceSize;
    record.version = kSequenceVersion;
    return record;
}

std::array<uint8_t, kFlatSequenceSize> flattenSequence(const SequenceRecord &record) noexcept {
    std::array<uint8_t, kFlatSequenceSize> flat{};
    putWord(&flat[0], record.magic);
    putWord(&flat[4], 1);
    putWord(&flat[8], record.version);
    putWord(&flat[12], record.size);
    std::memcpy(&flat[16], record.reservedBytes, sizeof record.reservedBytes);
    return flat;
}

SequenceRecord unflattenSequence(const uint8_t *bytes, std::size_t count) noexcept {
    if (bytes == nullptr || count < kFlatSequenceSize)
        return defaultSequenceRecord();
    SequenceRecord record{};
    record.magic = getWord(bytes);
    record.version = getWord(bytes + 8);
    record.size = getWord(bytes + 12);
    std::memcpy(record.reservedBytes, bytes + 16, sizeof record.reservedBytes);
    if (record.magic != kSequenceMagic || record.version != kSequenceVersion)
        return defaultSequenceRecord();
    return record;
}

} // namespace AEUtil
