// Sequence data: the 24-byte record, its flat form (version before size, little-endian) and
// every fallback of reading a flat form back. Byte patterns are written out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "embedhost/Host.h"
#include "host/SequenceData.h"
#include "tests/host/TestFilter.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace AEUtil;

const Bytes kDefaultRecord = {0x71, 0x65, 0x73, 0x70, 0, 0, 0, 0, 24, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kDefaultFlat = {0x71, 0x65, 0x73, 0x70, 1, 0, 0, 0, 1, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

Bytes bytesOf(const SequenceRecord &r) {
    const auto *p = reinterpret_cast<const uint8_t *>(&r);
    return Bytes(p, p + sizeof r);
}

TEST(SequenceFormat, DefaultRecordBytes) { EXPECT_EQ(bytesOf(defaultSequenceRecord()), kDefaultRecord); }

TEST(SequenceFormat, FlatFormPutsVersionBeforeSize) {
    SequenceRecord r = defaultSequenceRecord();
    r.reserved = 0xDEADBEEF; // not part of the flat form: the word after the magic is always 1
    r.size = 0x01020304;
    r.version = 0x0A0B0C0D;
    for (int i = 0; i < 8; ++i)
        r.reservedBytes[i] = static_cast<uint8_t>(0xF0 + i);
    const auto flat = flattenSequence(r);
    const Bytes expected = {0x71, 0x65, 0x73, 0x70, 0x01, 0x00, 0x00, 0x00, 0x0D, 0x0C, 0x0B, 0x0A,
                            0x04, 0x03, 0x02, 0x01, 0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};
    EXPECT_EQ(Bytes(flat.begin(), flat.end()), expected);
    const auto defaults = flattenSequence(defaultSequenceRecord());
    EXPECT_EQ(Bytes(defaults.begin(), defaults.end()), kDefaultFlat);
}

TEST(SequenceFormat, ReadsBackAFlatForm) {
    const Bytes flat = {0x71, 0x65, 0x73, 0x70, 0x77, 0, 0, 0, 1, 0, 0, 0, 99, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    const SequenceRecord r = unflattenSequence(flat.data(), flat.size());
    const Bytes expected = {0x71, 0x65, 0x73, 0x70, 0, 0, 0, 0, 99, 0, 0, 0, 1, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(bytesOf(r), expected) << "the size is taken as stored, the second word is dropped";
}

TEST(SequenceFormat, TwentyThreeBytesGiveDefaults) {
    Bytes flat(kDefaultFlat.begin(), kDefaultFlat.begin() + 23);
    flat[16] = 9;
    EXPECT_EQ(bytesOf(unflattenSequence(flat.data(), flat.size())), kDefaultRecord);
}

TEST(SequenceFormat, WrongMagicGivesDefaults) {
    Bytes flat = kDefaultFlat;
    flat[3] = 0x71;
    flat[16] = 9;
    EXPECT_EQ(bytesOf(unflattenSequence(flat.data(), flat.size())), kDefaultRecord);
}

TEST(SequenceFormat, VersionTwoGivesDefaults) {
    Bytes flat = kDefaultFlat;
    flat[8] = 2;
    flat[16] = 9;
    EXPECT_EQ(bytesOf(unflattenSequence(flat.data(), flat.size())), kDefaultRecord);
}

TEST(SequenceFormat, LongerFlatFormIsReadFromItsStart) {
    Bytes flat = kDefaultFlat;
    flat[20] = 0x42;
    flat.resize(40, 0xEE);
    const SequenceRecord r = unflattenSequence(flat.data(), flat.size());
    EXPECT_EQ(r.reservedBytes[4], 0x42);
    EXPECT_EQ(r.size, 24u);
}

class SequenceHandlers : public ::testing::Test {
protected:
    PF_Handle handleWith(const Bytes &bytes) {
        PF_Handle h = host.handles().newHandle(bytes.size());
        std::memcpy(host.handles().lock(h), bytes.data(), bytes.size());
        host.handles().unlock(h);
        return h;
    }
    Bytes contents(PF_Handle h) {
        const auto size = static_cast<std::size_t>(host.handles().size(h));
        const auto *p = static_cast<const uint8_t *>(host.handles().lock(h));
        Bytes bytes(p, p + size);
        host.handles().unlock(h);
        return bytes;
    }
    PF_Err resetupFrom(PF_Handle flat) {
        in.sequence_data = flat;
        out = PF_OutData{};
        return filter.sequenceResetup(&in, &out);
    }

    embedhost::Host host;
    PF_InData in = host.inData();
    PF_OutData out{};
    lumora::test::TestFilter filter;
};

TEST_F(SequenceHandlers, SetUpStoresTheDefaultRecord) {
    ASSERT_EQ(filter.sequenceSetup(&in, &out), PF_Err_NONE);
    ASSERT_NE(out.sequence_data, nullptr);
    EXPECT_EQ(contents(out.sequence_data), kDefaultRecord);
    EXPECT_EQ(host.handles().lockCount(out.sequence_data), 0) << "left unlocked";
}

TEST_F(SequenceHandlers, SetUpWithoutMemoryIs4) {
    host.handles().failNewHandleAfter(0);
    EXPECT_EQ(filter.sequenceSetup(&in, &out), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(out.sequence_data, nullptr);
}

TEST_F(SequenceHandlers, SetUpThatCannotLockIs512AndLeavesNoHandle) {
    host.handles().failNextLock();
    EXPECT_EQ(filter.sequenceSetup(&in, &out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(out.sequence_data, nullptr);
    EXPECT_EQ(host.handles().live(), 0u);
}

TEST_F(SequenceHandlers, FlattenReplacesTheRecord) {
    Bytes record = kDefaultRecord;
    record[17] = 0xAB;
    PF_Handle h = handleWith(record);
    in.sequence_data = h;
    ASSERT_EQ(filter.sequenceFlatten(&in, &out), PF_Err_NONE);
    Bytes expected = kDefaultFlat;
    expected[17] = 0xAB;
    EXPECT_EQ(contents(out.sequence_data), expected);
    EXPECT_FALSE(host.handles().isLive(h)) << "the unflattened record is disposed";
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST_F(SequenceHandlers, GetFlattenedKeepsTheRecord) {
    PF_Handle h = handleWith(kDefaultRecord);
    in.sequence_data = h;
    ASSERT_EQ(filter.getFlattenedSequenceData(&in, &out), PF_Err_NONE);
    EXPECT_EQ(contents(out.sequence_data), kDefaultFlat);
    ASSERT_TRUE(host.handles().isLive(h));
    EXPECT_EQ(host.handles().lockCount(h), 0);
    EXPECT_EQ(contents(h), kDefaultRecord);
}

TEST_F(SequenceHandlers, FlattenWithoutDataIs512) {
    in.sequence_data = nullptr;
    EXPECT_EQ(filter.sequenceFlatten(&in, &out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    PF_Handle h = handleWith(kDefaultRecord);
    in.sequence_data = h;
    host.handles().failNextLock();
    EXPECT_EQ(filter.getFlattenedSequenceData(&in, &out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(out.sequence_data, nullptr);
}

TEST_F(SequenceHandlers, FlattenOfAShortHandleIs512) {
    PF_Handle h = handleWith(Bytes(kDefaultRecord.begin(), kDefaultRecord.begin() + 12));
    in.sequence_data = h;
    EXPECT_EQ(filter.sequenceFlatten(&in, &out), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_TRUE(host.handles().isLive(h));
    EXPECT_EQ(host.handles().lockCount(h), 0);
}

TEST_F(SequenceHandlers, FlattenWithoutMemoryIs4AndKeepsTheRecord) {
    PF_Handle h = handleWith(kDefaultRecord);
    in.sequence_data = h;
    host.handles().failNewHandleAfter(0);
    EXPECT_EQ(filter.sequenceFlatten(&in, &out), PF_Err_OUT_OF_MEMORY);
    EXPECT_TRUE(host.handles().isLive(h));
    EXPECT_EQ(host.handles().lockCount(h), 0);
}

TEST_F(SequenceHandlers, ResetupRoundTrip) {
    Bytes record = kDefaultRecord;
    for (int i = 16; i < 24; ++i)
        record[i] = static_cast<uint8_t>(i);
    in.sequence_data = handleWith(record);
    ASSERT_EQ(filter.sequenceFlatten(&in, &out), PF_Err_NONE);
    PF_Handle flat = out.sequence_data;
    ASSERT_EQ(resetupFrom(flat), PF_Err_NONE);
    EXPECT_EQ(contents(out.sequence_data), record);
    EXPECT_NE(out.sequence_data, flat);
    EXPECT_TRUE(host.handles().isLive(flat)) << "the flat handle is the host's to dispose";
    EXPECT_EQ(host.handles().lockCount(flat), 0);
    EXPECT_EQ(host.handles().lockCount(out.sequence_data), 0);
}

TEST_F(SequenceHandlers, ResetupFallsBackToDefaults) {
    const Bytes shortFlat(kDefaultFlat.begin(), kDefaultFlat.begin() + 23);
    Bytes foreign = kDefaultFlat;
    foreign[0] = 0x70;
    Bytes version2 = kDefaultFlat;
    version2[8] = 2;
    version2[18] = 7;
    for (const Bytes &flat : {shortFlat, foreign, version2}) {
        ASSERT_EQ(resetupFrom(handleWith(flat)), PF_Err_NONE);
        ASSERT_NE(out.sequence_data, nullptr);
        EXPECT_EQ(contents(out.sequence_data), kDefaultRecord);
    }
    ASSERT_EQ(resetupFrom(nullptr), PF_Err_NONE);
    EXPECT_EQ(contents(out.sequence_data), kDefaultRecord);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST_F(SequenceHandlers, ResetupOfAnUnlockableHandleFallsBack) {
    PF_Handle flat = handleWith(kDefaultFlat);
    host.handles().failNextLock();
    ASSERT_EQ(resetupFrom(flat), PF_Err_NONE);
    EXPECT_EQ(contents(out.sequence_data), kDefaultRecord);
}

TEST_F(SequenceHandlers, SetdownDisposes) {
    PF_Handle h = handleWith(kDefaultRecord);
    in.sequence_data = h;
    EXPECT_EQ(filter.sequenceSetdown(&in, &out), PF_Err_NONE);
    EXPECT_FALSE(host.handles().isLive(h));
    in.sequence_data = nullptr;
    EXPECT_EQ(filter.sequenceSetdown(&in, &out), PF_Err_NONE);
}

} // namespace
