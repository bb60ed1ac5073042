// `lumora defaults path|show|save [--set NAME=VALUE ...]|reset`: the user settings file from
// which new effect instances take their defaults.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command defaultsPathCommand();
Command defaultsShowCommand();
Command defaultsSaveCommand();
Command defaultsResetCommand();

} // namespace lumora::cli
