// `lumora module info [--raw FILE] [MODULE]`: shows or extracts a module's property list.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command moduleInfoCommand();

} // namespace lumora::cli
