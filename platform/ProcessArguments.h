// The command line of the process the plug-in runs in, split into arguments, for the host's
// language switch "-L".
#pragma once

#include <string>
#include <vector>

namespace lumora::platform {

// LUMORA_COMMAND_LINE split at blanks when set (no quoting); otherwise on Windows
// GetCommandLineW split by CommandLineToArgvW and converted to UTF-8, elsewhere
// /proc/self/cmdline. The first argument is the program. Empty when it cannot be read.
std::vector<std::string> processArguments();

} // namespace lumora::platform
