// The glow gradient value: colour flags, flag lists and the fixed-size record the host stores
// for the "Glow Color Bar" parameter. The flattened form is these bytes, little-endian as is.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"

namespace AEUtil {

inline constexpr A_long kMaxColorFlags = 32;
// Refcon of the arbitrary parameter; a value carrying any other refcon is not ours.
inline constexpr std::uintptr_t kGradientRefcon = 0xeeee0002u;
inline constexpr std::size_t kGradientNameSize = 260;
inline constexpr A_long kColorFlagListSorted = 1; // bit 0 of the flags word

// The four colour bytes are the host's 8-bit pixel (alpha, red, green, blue).
struct ColorFlag {
    A_u_char alpha;
    A_u_char red;
    A_u_char green;
    A_u_char blue;
    float position; // 0 left .. 1 right; negative while dragged off the bar
    A_long id;      // unique in its list, 0..31; -1 in unused slots
    A_long reserved;
};

struct ColorFlagList {
    A_long count;
    A_long flags; // kColorFlagListSorted or 0
    A_long reserved[2];
    ColorFlag flag[kMaxColorFlags];
};

struct GradientData {
    A_long header;
    char presetName[kGradientNameSize];
    ColorFlagList current;
    ColorFlagList preset; // the named preset as last loaded or saved
};

static_assert(sizeof(ColorFlag) == 16);
static_assert(offsetof(ColorFlag, position) == 4);
static_assert(offsetof(ColorFlag, id) == 8);
static_assert(offsetof(ColorFlag, reserved) == 12);
static_assert(sizeof(ColorFlagList) == 528);
static_assert(offsetof(ColorFlagList, flags) == 4);
static_assert(offsetof(ColorFlagList, flag) == 16);
static_assert(sizeof(GradientData) == 1320);
static_assert(offsetof(GradientData, presetName) == 4);
static_assert(offsetof(GradientData, current) == 264);
static_assert(offsetof(GradientData, preset) == 792);

inline constexpr std::size_t kGradientDataSize = sizeof(GradientData);
inline constexpr std::size_t kGradientPrintSize = 3 * kGradientDataSize;

// Count 0, flags word 0, every slot id -1 with all other bytes 0.
void initColorFlagList(ColorFlagList &list) noexcept;
// Count 0 and the colour and position of every slot zeroed; ids stay.
void clearColorFlagList(ColorFlagList &list) noexcept;
// Flags a reader may look at: the count limited to 0..kMaxColorFlags, so a damaged or scanned
// count never reaches past the slots.
A_long usedFlagCount(const ColorFlagList &list) noexcept;
// The smallest id in 0..31 that no used flag carries, or -1 when all are taken.
A_long smallestUnusedId(const ColorFlagList &list) noexcept;
// Appends `flag` with the smallest unused id; keeps the sorted mark, clears the other bits.
// Returns false, leaving the list as it was, when it already holds kMaxColorFlags flags.
bool appendColorFlag(ColorFlagList &list, const ColorFlag &flag) noexcept;
// Stable ascending sort of the used flags by position; sets the sorted mark.
void sortColorFlags(ColorFlagList &list) noexcept;

// Name empty, header 0 and both lists freshly initialised: what a short handle reads as
// beyond its end.
void initEmptyGradient(GradientData &data) noexcept;
// The value's default: the empty record with `defaults` appended to the current list.
void initDefaultGradient(GradientData &data, const ColorFlag *defaults, std::size_t count) noexcept;

} // namespace AEUtil
