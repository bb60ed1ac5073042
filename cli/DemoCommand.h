// `lumora demo OUT [--width W --height H] [options]`: the built-in scene rendered with a setting
// chosen to show the glow off, written to OUT.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command demoCommand();

} // namespace lumora::cli
