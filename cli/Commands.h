// The verbs of the `lumora` command.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

CommandList allCommands();

} // namespace lumora::cli
