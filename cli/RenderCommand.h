// `lumora render IN OUT [options]`: image files (or '#' sequences) through the plug-in in the
// embedded host, every parameter settable by an option.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command renderCommand();

} // namespace lumora::cli
