// Finding resource PIPL 16000 in PE images, well-formed and damaged.
#include <gtest/gtest.h>

#include <string>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"
#include "tests/embedhost/pipl/ModuleImages.h"

namespace {

using lumora::pipl::FormatError;
using lumora::pipl::piplFromPE;
using lumora::test::Bytes;
using lumora::test::makePE;
using lumora::test::PEImageOptions;

Bytes found(const Bytes &image) {
    const auto span = piplFromPE(image);
    return {span.begin(), span.end()};
}

std::string errorOf(const Bytes &image) {
    try {
        piplFromPE(image);
    } catch (const FormatError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(PEReader, FindsThePayload) {
    const PEImageOptions options;
    EXPECT_EQ(found(makePE(options)), options.payload);
    EXPECT_EQ(lumora::pipl::detectModuleFormat(makePE(options)), lumora::pipl::ModuleFormat::PE);
}

TEST(PEReader, ReadsPE32OptionalHeaderToo) {
    PEImageOptions options;
    options.pe32 = true;
    EXPECT_EQ(found(makePE(options)), options.payload);
}

TEST(PEReader, TypeNameIsComparedWithoutCase) {
    PEImageOptions options;
    options.typeName = "pipl";
    EXPECT_EQ(found(makePE(options)), options.payload);
    options.typeName = "PiPl";
    EXPECT_EQ(found(makePE(options)), options.payload);
}

TEST(PEReader, OtherTypeOrIdIsNotTaken) {
    for (const char *type : {"PIPX", "PIPLS", "PIP", ""}) {
        PEImageOptions options;
        options.typeName = type;
        EXPECT_NE(errorOf(makePE(options)).find("no PIPL resource 16000"), std::string::npos) << type;
    }
    PEImageOptions options;
    options.resourceId = 16001;
    EXPECT_EQ(errorOf(makePE(options)), "no PIPL resource 16000");
}

TEST(PEReader, MissingPiecesAreNamed) {
    PEImageOptions options;
    options.languageEntry = false;
    EXPECT_NE(errorOf(makePE(options)).find("no language entry"), std::string::npos);
    options = {};
    options.resourceDirectory = false;
    EXPECT_EQ(errorOf(makePE(options)), "no PIPL resource 16000: the module has no resources");
}

TEST(PEReader, DataOutsideItsSectionIsRefused) {
    PEImageOptions options;
    options.dataRvaShift = 0x1000; // past .rsrc, in no section
    EXPECT_NE(errorOf(makePE(options)).find("in no section"), std::string::npos) << errorOf(makePE(options));
    options = {};
    options.dataSize = 0x181; // one byte past the end of .rsrc
    EXPECT_NE(errorOf(makePE(options)).find("past the end of its section"), std::string::npos);
    options.dataSize = 0xffffffffu;
    EXPECT_THROW(piplFromPE(makePE(options)), FormatError);
    options.dataSize = 0x180; // exactly to the end of .rsrc
    EXPECT_EQ(found(makePE(options)).size(), 0x180u);
}

TEST(PEReader, DirectoryOffsetsOutsideTheResourcesAreRefused) {
    Bytes image = makePE({});
    image[lumora::test::kPERootEntryTarget] = 0xf0; // type directory at 0x1f0 of 0x200 bytes
    image[lumora::test::kPERootEntryTarget + 1] = 0x01;
    EXPECT_THROW(piplFromPE(image), FormatError);
}

TEST(PEReader, DirectoryPointingBackAtTheRootEnds) {
    Bytes image = makePE({});
    image[lumora::test::kPERootEntryTarget] = 0x00; // type directory = the root itself
    EXPECT_EQ(errorOf(image), "no PIPL resource 16000");
}

TEST(PEReader, BadHeadersAreRefused) {
    Bytes image = makePE({});
    image[0x3c] = 0xf0; // e_lfanew beyond the file
    image[0x3d] = 0xff;
    EXPECT_NE(errorOf(image).find("no PE signature"), std::string::npos) << errorOf(image);
    image = makePE({});
    image[0x99] = 0x03; // optional header magic 0x20b becomes 0x30b
    EXPECT_NE(errorOf(image).find("magic"), std::string::npos) << errorOf(image);
}

TEST(PEReader, EveryTruncationIsRefused) {
    const Bytes full = makePE({});
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(piplFromPE(cut), FormatError) << "size " << size;
    }
}

} // namespace
