// The property list linked into the module, available as data to tools built alongside it.
#pragma once

#include <span>

namespace lumora::resources {

// The exact bytes of resource PIPL 16000 as generated for this build.
std::span<const unsigned char> builtinPiPL();

} // namespace lumora::resources
