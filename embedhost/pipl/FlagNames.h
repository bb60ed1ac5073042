// The host's names for the bits of the global out-flags words, for showing a flag word by name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumora::pipl {

struct FlagName {
    std::uint32_t mask; // a single bit
    const char *name;   // as the host SDK spells it
};

std::span<const FlagName> outFlagNames();  // PF_OutFlag_*
std::span<const FlagName> outFlag2Names(); // PF_OutFlag2_*

// The names of the bits set in `value`, lowest bit first; a bit without a name is shown as
// "bit N".
std::vector<std::string> setFlagNames(std::uint32_t value, std::span<const FlagName> names);

} // namespace lumora::pipl
