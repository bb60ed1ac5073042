// The generated property list against the bytes worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "embedhost/pipl/ModuleFile.h"
#include "resources/BuiltinPiPL.h"
#include "resources/LumoraVersion.h"
#include "tests/embedhost/pipl/ExpectedPiPL.h"
#include "tests/support/HostPath.h"

namespace {

using lumora::test::kExpectedPiPL;

std::vector<unsigned char> expected() { return {std::begin(kExpectedPiPL), std::end(kExpectedPiPL)}; }

TEST(PiPLBytes, BuiltinCopyMatchesHandWrittenBytes) {
    const auto builtin = lumora::resources::builtinPiPL();
    EXPECT_EQ(std::vector<unsigned char>(builtin.begin(), builtin.end()), expected());
}

TEST(PiPLBytes, GeneratedResourceFileMatchesHandWrittenBytes) {
    EXPECT_EQ(lumora::pipl::readFileBytes(lumora::test::hostPath(LUMORA_PIPL_FILE)), expected());
}

TEST(PiPLBytes, EveryPropertyLengthIsAMultipleOfFour) {
    // Walk the hand-written bytes independently of the decoder: property headers are 16 bytes.
    std::size_t offset = 10;
    int properties = 0;
    while (offset < sizeof kExpectedPiPL) {
        const unsigned length = kExpectedPiPL[offset + 12] | kExpectedPiPL[offset + 13] << 8;
        EXPECT_EQ(length % 4, 0u) << "property at offset " << offset;
        offset += 16 + length;
        ++properties;
    }
    EXPECT_EQ(offset, sizeof kExpectedPiPL);
    EXPECT_EQ(properties, 12);
}

// The global set-up handler reports these; they must be the values the property list carries.
TEST(PiPLBytes, SharedVersionValuesAreTheDocumentedOnes) {
    namespace v = lumora::version;
    EXPECT_EQ(v::kMajor, 1u);
    EXPECT_EQ(v::kMinor, 1u);
    EXPECT_EQ(v::kRevision, 1u);
    EXPECT_EQ(v::kStage, 3u);
    EXPECT_EQ(v::kBuild, 13u);
    EXPECT_EQ(v::kPackedVersion, 560653u);
    EXPECT_EQ(static_cast<A_u_long>(v::kOutFlags), 0x06008270u);
    EXPECT_EQ(static_cast<A_u_long>(v::kOutFlags2), 0x08801499u);
    EXPECT_STREQ(v::kEffectName, "Lumora");
    EXPECT_STREQ(v::kCategory, "NORIK");
    EXPECT_STREQ(v::kMatchName, "NORIK GLOW");
    EXPECT_STREQ(v::kEntryPointName, "EntryPointFunc");
}

} // namespace
