// Decoding the property list: the real one, and malformed ones that must be refused cleanly.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/PiPL.h"
#include "tests/embedhost/pipl/ExpectedPiPL.h"

namespace {

using lumora::pipl::decodePiPL;
using lumora::pipl::FormatError;
using lumora::pipl::PiPL;
using lumora::test::kExpectedPiPL;
using Bytes = std::vector<unsigned char>;

Bytes expected() { return {std::begin(kExpectedPiPL), std::end(kExpectedPiPL)}; }

void put32(Bytes &bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A list of one property: vendor "8BIM", the given key and data (lengths taken as given).
Bytes single(const char *key, Bytes data) {
    Bytes bytes = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'M', 'I', 'B', '8'};
    for (int i = 3; i >= 0; --i)
        bytes.push_back(static_cast<unsigned char>(key[i]));
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    bytes.insert(bytes.end(), 4, 0);
    put32(bytes, 22, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

std::string errorOf(const Bytes &bytes) {
    try {
        decodePiPL(bytes);
    } catch (const FormatError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(PiPLDecoder, DecodesHeaderAndPropertiesInOrder) {
    const PiPL list = decodePiPL(expected());
    EXPECT_EQ(list.version, 1);
    EXPECT_EQ(list.reserved, 0u);
    EXPECT_EQ(list.count, 12u);
    const char *keys[] = {"kind", "name", "catg", "8664", "ePVR", "eSVR",
                          "eVER", "eINF", "eGLO", "eGL2", "eMNA", "aeFL"};
    const std::size_t offsets[] = {10, 30, 54, 78, 110, 130, 150, 170, 190, 210, 230, 258};
    ASSERT_EQ(list.properties.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(list.properties[i].vendor, "8BIM");
        EXPECT_EQ(list.properties[i].key, keys[i]);
        EXPECT_EQ(list.properties[i].id, 0u);
        EXPECT_EQ(list.properties[i].offset, offsets[i]);
        EXPECT_EQ(list.properties[i].data.size(), list.properties[i].length);
    }
    EXPECT_EQ(list.find("eMNA")->length, 12u);
    EXPECT_EQ(list.find("8664")->length, 16u);
    EXPECT_EQ(list.find("none"), nullptr);
}

TEST(PiPLDecoder, TypedValues) {
    const PiPL list = decodePiPL(expected());
    EXPECT_EQ(list.kind(), "eFKT");
    EXPECT_EQ(list.name(), "Lumora");
    EXPECT_EQ(list.category(), "NORIK");
    EXPECT_EQ(list.matchName(), "NORIK GLOW");
    EXPECT_EQ(list.entryPoint("8664"), "EntryPointFunc");
    EXPECT_EQ(list.entryPoint("wx86"), std::nullopt);
    EXPECT_EQ(list.piplVersion()->major, 2u);
    EXPECT_EQ(list.piplVersion()->minor, 0u);
    EXPECT_EQ(list.specVersion()->major, 13u);
    EXPECT_EQ(list.specVersion()->minor, 27u);
    const auto version = list.effectVersion();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->packed, 560653u);
    EXPECT_EQ(version->major, 1u);
    EXPECT_EQ(version->minor, 1u);
    EXPECT_EQ(version->revision, 1u);
    EXPECT_EQ(version->stage, 3u);
    EXPECT_EQ(version->build, 13u);
    EXPECT_EQ(lumora::pipl::formatEffectVersion(*version), "1.1.1 release 13");
    EXPECT_EQ(list.infoFlags(), 0);
    EXPECT_EQ(list.outFlags(), 0x06008270u);
    EXPECT_EQ(list.outFlags2(), 0x08801499u);
}

TEST(PiPLDecoder, EffectVersionBitFields) {
    // 2.3.4 beta 100: (2 << 19) + (3 << 15) + (4 << 11) + (2 << 9) + 100 = 1156196
    const auto v = lumora::pipl::decodeEffectVersion(1156196);
    EXPECT_EQ(v.major, 2u);
    EXPECT_EQ(v.minor, 3u);
    EXPECT_EQ(v.revision, 4u);
    EXPECT_EQ(v.stage, 2u);
    EXPECT_EQ(v.build, 100u);
    EXPECT_EQ(lumora::pipl::formatEffectVersion(v), "2.3.4 beta 100");
    // Every field at its maximum: the fields must not bleed into each other.
    const auto full = lumora::pipl::decodeEffectVersion(0x003fffff);
    EXPECT_EQ(full.major, 7u);
    EXPECT_EQ(full.minor, 15u);
    EXPECT_EQ(full.revision, 15u);
    EXPECT_EQ(full.stage, 3u);
    EXPECT_EQ(full.build, 511u);
    // The major version takes all bits from 19 up.
    EXPECT_EQ(lumora::pipl::decodeEffectVersion(0x00400000).major, 8u);
    EXPECT_EQ(lumora::pipl::formatEffectVersion(lumora::pipl::decodeEffectVersion(0)), "0.0.0 develop 0");
    EXPECT_EQ(lumora::pipl::stageName(1), "alpha");
}

TEST(PiPLDecoder, EmptyListHasNoValues) {
    const PiPL list = decodePiPL(Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(list.properties.empty());
    EXPECT_EQ(list.name(), std::nullopt);
    EXPECT_EQ(list.effectVersion(), std::nullopt);
    EXPECT_EQ(list.outFlags(), std::nullopt);
}

TEST(PiPLDecoder, EveryTruncationIsRefused) {
    const Bytes full = expected();
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(decodePiPL(cut), FormatError) << "size " << size;
    }
}

TEST(PiPLDecoder, TruncatedHeaderIsNamed) { EXPECT_NE(errorOf(Bytes{1, 0, 0}).find("header"), std::string::npos); }

TEST(PiPLDecoder, CountBeyondTheDataNamesTheOffset) {
    Bytes bytes = expected();
    put32(bytes, 6, 13);
    EXPECT_NE(errorOf(bytes).find("property 13 of 13 at offset 278"), std::string::npos) << errorOf(bytes);
    put32(bytes, 6, 0xffffffffu);
    EXPECT_THROW(decodePiPL(bytes), FormatError);
}

TEST(PiPLDecoder, CountBelowTheDataLeavesTrailingBytes) {
    Bytes bytes = expected();
    put32(bytes, 6, 11);
    EXPECT_NE(errorOf(bytes).find("offset 258"), std::string::npos) << errorOf(bytes);
}

TEST(PiPLDecoder, LengthPastTheEndNamesTheProperty) {
    Bytes bytes = expected();
    put32(bytes, 258 + 12, 8); // "aeFL" claims 8 bytes, 4 remain
    const std::string error = errorOf(bytes);
    EXPECT_NE(error.find("'aeFL' at offset 258"), std::string::npos) << error;
    EXPECT_NE(error.find("run past the end"), std::string::npos) << error;
    put32(bytes, 258 + 12, 0xfffffffcu); // would wrap a 32-bit offset
    EXPECT_THROW(decodePiPL(bytes), FormatError);
}

TEST(PiPLDecoder, LengthMustCountThePadding) {
    Bytes bytes = expected();
    put32(bytes, 30 + 12, 7); // "name" without its padding byte
    EXPECT_NE(errorOf(bytes).find("not a multiple of 4"), std::string::npos) << errorOf(bytes);
}

TEST(PiPLDecoder, BadVersionWordIsRefused) {
    Bytes bytes = expected();
    bytes[0] = 2;
    EXPECT_NE(errorOf(bytes).find("version word 2 at offset 0"), std::string::npos) << errorOf(bytes);
    bytes[0] = 0;
    bytes[1] = 1; // 256: a big-endian list
    EXPECT_THROW(decodePiPL(bytes), FormatError);
}

TEST(PiPLDecoder, PascalStringLongerThanItsDataIsRefused) {
    const PiPL list = decodePiPL(single("name", {9, 'a', 'b', 'c'}));
    EXPECT_THROW(list.name(), FormatError);
    EXPECT_EQ(decodePiPL(single("name", {3, 'a', 'b', 'c'})).name(), "abc");
    EXPECT_EQ(decodePiPL(single("name", {0, 'x', 'x', 'x'})).name(), "");
    EXPECT_THROW(decodePiPL(single("name", {})).name(), FormatError);
}

TEST(PiPLDecoder, UnterminatedEntryPointIsRefused) {
    EXPECT_THROW(decodePiPL(single("8664", {'M', 'a', 'i', 'n'})).entryPoint(), FormatError);
    EXPECT_EQ(decodePiPL(single("8664", {'M', 'a', 0, 'n'})).entryPoint(), "Ma");
}

TEST(PiPLDecoder, ShortNumericDataIsRefused) {
    const std::pair<const char *, std::function<void(const PiPL &)>> readers[] = {
        {"kind", [](const PiPL &l) { l.kind(); }},        {"ePVR", [](const PiPL &l) { l.piplVersion(); }},
        {"eSVR", [](const PiPL &l) { l.specVersion(); }}, {"eVER", [](const PiPL &l) { l.effectVersion(); }},
        {"eINF", [](const PiPL &l) { l.infoFlags(); }},   {"eGLO", [](const PiPL &l) { l.outFlags(); }},
        {"eGL2", [](const PiPL &l) { l.outFlags2(); }},
    };
    for (const auto &[key, read] : readers) {
        const PiPL list = decodePiPL(single(key, {}));
        try {
            read(list);
            ADD_FAILURE() << key << " with no data was accepted";
        } catch (const FormatError &e) {
            EXPECT_NE(std::string(e.what()).find("offset 10"), std::string::npos) << e.what();
        }
    }
}

TEST(PiPLDecoder, OtherVendorsAndKeysAreKept) {
    Bytes bytes = single("abcd", {1, 2, 3, 4});
    std::memcpy(&bytes[10], "EBDA", 4);
    const PiPL list = decodePiPL(bytes);
    ASSERT_EQ(list.properties.size(), 1u);
    EXPECT_EQ(list.properties[0].vendor, "ADBE");
    EXPECT_EQ(list.properties[0].key, "abcd");
    EXPECT_EQ(list.properties[0].data, (Bytes{1, 2, 3, 4}));
}

} // namespace
