#include "cli/Commands.h"

#include "cli/DefaultsCommand.h"
#include "cli/ModuleInfoCommand.h"
#include "cli/ParamsCommand.h"
#include "cli/PresetsCommand.h"
#ifdef LUMORA_CLI_IMAGES
#include "cli/DemoCommand.h"
#include "cli/PanelCommand.h"
#include "cli/RenderCommand.h"
#endif

namespace lumora::cli {

CommandList allCommands() {
    CommandList commands;
    commands.push_back(moduleInfoCommand());
    commands.push_back(paramsCommand());
    commands.push_back(aboutCommand());
    commands.push_back(defaultsPathCommand());
    commands.push_back(defaultsShowCommand());
    commands.push_back(defaultsSaveCommand());
    commands.push_back(defaultsResetCommand());
    commands.push_back(presetsListCommand());
    commands.push_back(presetsShowCommand());
    commands.push_back(presetsSaveCommand());
    commands.push_back(presetsDeleteCommand());
#ifdef LUMORA_CLI_IMAGES
    commands.push_back(renderCommand());
    commands.push_back(demoCommand());
    commands.push_back(panelCommand());
#endif
    return commands;
}

} // namespace lumora::cli
