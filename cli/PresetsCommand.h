// `lumora presets list | show NAME | save NAME --gradient STOPS | delete NAME`: the shared
// gradient presets, through the colour bar's own menu and buttons in an effect panel.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

Command presetsListCommand();
Command presetsShowCommand();
Command presetsSaveCommand();
Command presetsDeleteCommand();

} // namespace lumora::cli
