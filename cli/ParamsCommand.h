// `lumora params [MODULE]` and `lumora about [--shift] [MODULE]`: the plug-in driven through
// the embedded host, showing what a host receives at parameter set-up and from About.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command paramsCommand();
Command aboutCommand();

} // namespace lumora::cli
