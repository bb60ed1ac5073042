// The text `lumora module info` prints for a property list.
#pragma once

#include <string>

#include "embedhost/pipl/PiPL.h"

namespace lumora::cli {

// One "label: value" line per property of interest, then the set flags of each flag word by
// name. Throws lumora::pipl::FormatError when a property holds malformed data.
std::string formatModuleInfo(const pipl::PiPL &list);

} // namespace lumora::cli
