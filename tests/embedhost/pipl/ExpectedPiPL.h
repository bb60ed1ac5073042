// The effect's property list written out by hand, byte by byte, from the published layout:
// little-endian integers, four-character codes byte-reversed, data padded to four bytes.
#pragma once

namespace lumora::test {

// clang-format off
inline constexpr unsigned char kExpectedPiPL[] = {
    0x01, 0x00,                   // format version 1 (16-bit)
    0x00, 0x00, 0x00, 0x00,       // reserved
    0x0c, 0x00, 0x00, 0x00,       // 12 properties

    // offset 10: "kind" = "eFKT"
    'M', 'I', 'B', '8',  'd', 'n', 'i', 'k',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    'T', 'K', 'F', 'e',

    // offset 30: "name" = "Lumora": length byte 6, six characters, one zero of padding
    'M', 'I', 'B', '8',  'e', 'm', 'a', 'n',  0x00, 0x00, 0x00, 0x00,  0x08, 0x00, 0x00, 0x00,
    0x06, 'L', 'u', 'm', 'o', 'r', 'a', 0x00,

    // offset 54: "catg" = "NORIK": length byte 5, five characters, two zeros
    'M', 'I', 'B', '8',  'g', 't', 'a', 'c',  0x00, 0x00, 0x00, 0x00,  0x08, 0x00, 0x00, 0x00,
    0x05, 'N', 'O', 'R', 'I', 'K', 0x00, 0x00,

    // offset 78: "8664" = "EntryPointFunc": 14 characters, terminator, one zero of padding
    'M', 'I', 'B', '8',  '4', '6', '6', '8',  0x00, 0x00, 0x00, 0x00,  0x10, 0x00, 0x00, 0x00,
    'E', 'n', 't', 'r', 'y', 'P', 'o', 'i', 'n', 't', 'F', 'u', 'n', 'c', 0x00, 0x00,

    // offset 110: "ePVR" = 2.0, one word 0x00020000
    'M', 'I', 'B', '8',  'R', 'V', 'P', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00,

    // offset 130: "eSVR" = 13.27, one word 0x000D001B
    'M', 'I', 'B', '8',  'R', 'V', 'S', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x1b, 0x00, 0x0d, 0x00,

    // offset 150: "eVER" = 560653 = 0x00088E0D
    // (1 << 19) + (1 << 15) + (1 << 11) + (3 << 9) + 13 = 524288 + 32768 + 2048 + 1536 + 13
    'M', 'I', 'B', '8',  'R', 'E', 'V', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x0d, 0x8e, 0x08, 0x00,

    // offset 170: "eINF" = 0, a 16-bit value in a four-byte field
    'M', 'I', 'B', '8',  'F', 'N', 'I', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,

    // offset 190: "eGLO" = 0x06008270
    'M', 'I', 'B', '8',  'O', 'L', 'G', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x70, 0x82, 0x00, 0x06,

    // offset 210: "eGL2" = 0x08801499
    'M', 'I', 'B', '8',  '2', 'L', 'G', 'e',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x99, 0x14, 0x80, 0x08,

    // offset 230: "eMNA" = "NORIK GLOW": length byte 10, ten characters, one zero
    'M', 'I', 'B', '8',  'A', 'N', 'M', 'e',  0x00, 0x00, 0x00, 0x00,  0x0c, 0x00, 0x00, 0x00,
    0x0a, 'N', 'O', 'R', 'I', 'K', ' ', 'G', 'L', 'O', 'W', 0x00,

    // offset 258: "aeFL" = 0
    'M', 'I', 'B', '8',  'L', 'F', 'e', 'a',  0x00, 0x00, 0x00, 0x00,  0x04, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,
    // end: offset 278
};
// clang-format on
static_assert(sizeof kExpectedPiPL == 278, "the layout above adds up to 278 bytes");

} // namespace lumora::test
