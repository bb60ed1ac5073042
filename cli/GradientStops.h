// The glow gradient on the command line ("0:#ffffff,0.5:#32f8ff,1:#0018ff") and its way into
// the plug-in: the value's text form, which the host hands to the plug-in's scan callback.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "AE_Effect.h"
#include "colorbar/data/GradientData.h"

namespace lumora::cli {

// Stops in the order given, each opaque; 1 to 32 of them, positions 0..1, colours "#rrggbb"
// (the '#' may be left out). Throws UsageError naming `option` and the stop at fault.
std::vector<AEUtil::ColorFlag> parseGradientStops(std::string_view text, std::string_view option = "--gradient");

// The list as `--gradient` text, flags in position order ("0:#ffffff,0.5:#32f8ff"), each
// position the shortest decimal that reads back as the same float; empty for no flags.
std::string gradientStopsText(const AEUtil::ColorFlagList &list);

// "#rrggbb" or "rrggbb" as an opaque pixel; false when it is neither.
bool parseHexColor(std::string_view text, PF_Pixel &color);

// A value whose current list holds `stops` (ids 0, 1, ...), with `presetName` and no preset list.
AEUtil::GradientData gradientValue(const std::vector<AEUtil::ColorFlag> &stops, const std::string &presetName = {});

// The value's text form, padded with NULs to the length the scan callback requires.
std::string gradientScanText(const AEUtil::GradientData &value);

} // namespace lumora::cli
