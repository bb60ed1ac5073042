// The gradient value's text form, used by the host to show, copy and paste keyframes:
// "%08x\t<name>\t" then every byte of both flag lists as "%02x,".
#pragma once

#include <cstddef>

#include "AE_Effect.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

// Characters of the full text form of a value whose name has `nameLength` characters.
constexpr std::size_t gradientTextLength(std::size_t nameLength) { return 8 + 1 + nameLength + 1 + 3 * 2 * 528; }

// Writes the full text form (NUL-terminated) into `buffer`; at most 259 name characters are
// written, as the field holds. PF_Err_BAD_CALLBACK_PARAM when `size` is below
// kGradientPrintSize; `abbreviated` writes the empty string.
PF_Err printGradientText(const GradientData &data, bool abbreviated, char *buffer, std::size_t size) noexcept;

// Reads the first `bytes` bytes of `text` (a NUL among them ends it) over `data`: the header
// word, the name, then up to 1056 list bytes from offset 264 on; what no token reaches keeps
// its content. An empty field between the first two tabs is the empty name. A name of 260
// characters or more does not fit and is refused with PF_Err_CANNOT_PARSE_KEYFRAME_TEXT, leaving
// `data` untouched. PF_Err_OUT_OF_MEMORY when the private copy cannot be made.
PF_Err scanGradientText(const char *text, std::size_t bytes, GradientData &data) noexcept;

} // namespace AEUtil
