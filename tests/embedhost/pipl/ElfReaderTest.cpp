// Finding the ".pipl" section in ELF images, well-formed and damaged.
#include <gtest/gtest.h>

#include <string>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"
#include "tests/embedhost/pipl/ModuleImages.h"

namespace {

using lumora::pipl::FormatError;
using lumora::pipl::piplFromELF;
using lumora::test::Bytes;
using lumora::test::ElfImageOptions;
using lumora::test::makeElf;

Bytes found(const Bytes &image) {
    const auto span = piplFromELF(image);
    return {span.begin(), span.end()};
}

std::string errorOf(const Bytes &image) {
    try {
        piplFromELF(image);
    } catch (const FormatError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(ElfReader, FindsThePayload) {
    const ElfImageOptions options;
    EXPECT_EQ(found(makeElf(options)), options.payload);
    EXPECT_EQ(lumora::pipl::detectModuleFormat(makeElf(options)), lumora::pipl::ModuleFormat::ELF);
}

TEST(ElfReader, ExtendedSectionCountIsFollowed) {
    ElfImageOptions options;
    options.extendedCount = true;
    EXPECT_EQ(found(makeElf(options)), options.payload);
}

TEST(ElfReader, OtherSectionNamesAreNotTaken) {
    for (const char *name : {".pip", ".pipl2", ".PIPL", ""}) {
        ElfImageOptions options;
        options.sectionName = name;
        EXPECT_NE(errorOf(makeElf(options)).find("no PIPL resource 16000"), std::string::npos) << name;
    }
}

TEST(ElfReader, SectionWithoutFileDataIsRefused) {
    ElfImageOptions options;
    options.sectionType = 8; // SHT_NOBITS
    EXPECT_NE(errorOf(makeElf(options)).find("no contents"), std::string::npos);
}

TEST(ElfReader, OnlyLittleEndian64BitIsRead) {
    ElfImageOptions options;
    options.elfClass = 1;
    EXPECT_NE(errorOf(makeElf(options)).find("64-bit"), std::string::npos);
    options = {};
    options.byteOrder = 2;
    EXPECT_NE(errorOf(makeElf(options)).find("little-endian"), std::string::npos);
}

TEST(ElfReader, SizesAndIndexesOutOfRangeAreRefused) {
    ElfImageOptions options;
    options.payloadSize = 0x1000;
    EXPECT_NE(errorOf(makeElf(options)).find("past the end"), std::string::npos) << errorOf(makeElf(options));
    options.payloadSize = ~std::uint64_t{0};
    EXPECT_THROW(piplFromELF(makeElf(options)), FormatError);
    options = {};
    options.nameTableIndex = 3;
    EXPECT_NE(errorOf(makeElf(options)).find("name table index"), std::string::npos);
    Bytes image = makeElf({});
    image[0x3c] = 0xff; // 255 section headers
    EXPECT_THROW(piplFromELF(image), FormatError);
    image = makeElf({});
    image[0x3a] = 32; // section header entries too small
    EXPECT_THROW(piplFromELF(image), FormatError);
}

TEST(ElfReader, EveryTruncationIsRefused) {
    const Bytes full = makeElf({});
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(piplFromELF(cut), FormatError) << "size " << size;
    }
}

} // namespace
