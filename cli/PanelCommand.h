// `lumora panel [OUT.png] ...`: the colour bar drawn as the host's effect panel shows it, after
// any gestures a script plays on it; prints the resulting gradient as --gradient text.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command panelCommand();

} // namespace lumora::cli
