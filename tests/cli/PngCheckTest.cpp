#include "cli/PngCheck.h"

#include <gtest/gtest.h>

#include <sstream>

#include "PngBytes.h"

namespace lumora::cli {
namespace {

using test::bigEndian32;
using test::pngChunk;

std::string faultOf(const std::string &bytes) {
    std::istringstream in(bytes);
    if (!hasPngSignature(in))
        return "no signature";
    return pngFault(in);
}

TEST(PngCheck, TellsEachDamageBeforeTheLibrarySeesIt) {
    const std::string sound = test::pngClaiming(4, 4);
    const std::string ihdr = sound.substr(8, 25), idat = sound.substr(33, 20), iend = sound.substr(53);
    std::string badIdat = idat;
    badIdat[10] ^= 1;
    std::string badText = pngChunk("tEXt", "a\0b");
    badText.back() ^= 1;
    const struct {
        std::string bytes;
        std::string fault; // empty: sound
    } cases[] = {
        {sound, ""},
        {sound + "trailing bytes", ""},
        {test::kPngSignature + ihdr + badText + idat + iend, ""}, // ancillary: skipped, as the reader does
        {sound.substr(0, 7), "no signature"},
        {sound.substr(0, 8), "the file is cut short (it ends before its IEND chunk)"},
        {sound.substr(0, 40), "the file is cut short (it ends before its IEND chunk)"},
        {sound.substr(0, sound.size() - 1), "the file is cut short (it ends before its IEND chunk)"},
        {test::kPngSignature + ihdr + idat, "the file is cut short (it ends before its IEND chunk)"},
        {test::kPngSignature + ihdr + badIdat + iend, "it is damaged (the checksum of its IDAT chunk does not match)"},
        {test::kPngSignature + idat + iend, "it is damaged (it does not begin with its header chunk)"},
        {test::kPngSignature + ihdr + bigEndian32(0x80000000u) + "IDAT",
         "it is damaged (chunk 2 has no valid length and name)"},
        {test::kPngSignature + ihdr + pngChunk("ID1T", "") + iend,
         "it is damaged (chunk 2 has no valid length and name)"},
        {test::kPngSignature + pngChunk("IHDR", bigEndian32(4) + bigEndian32(4) + std::string{16, 3, 0, 0, 0}) + idat +
             iend,
         "it is damaged (its header chunk holds no valid size and colour type)"},
        {test::kPngSignature + pngChunk("IHDR", bigEndian32(0) + bigEndian32(4) + std::string{8, 6, 0, 0, 0}) + idat +
             iend,
         "it is damaged (its header chunk holds no valid size and colour type)"},
        {test::kPngSignature + ihdr + iend, "it holds no image data"},
        // Deflate packs at most 1032 bytes into one: 8 bytes hold 8256, so 48 x 43 RGBA (8256) passes.
        {test::pngClaiming(48, 43), ""},
        {test::pngClaiming(48, 44), "its header claims 48 x 44 pixels, more than its 8 bytes of image data can hold"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(faultOf(c.bytes), c.fault) << testing::PrintToString(c.bytes);
}

} // namespace
} // namespace lumora::cli
