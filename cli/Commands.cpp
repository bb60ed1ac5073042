#include "cli/Commands.h"

#include "cli/DefaultsCommand.h"
#include "cli/ModuleInfoCommand.h"
#include "cli/ParamsCommand.h"
#ifdef LUMORA_CLI_IMAGES
#include "cli/DemoCommand.h"
#include "cli/RenderCommand.h"
#endif

namespace lumora::cli {

CommandList allCommands() {
    CommandList commands;
    commands.push_back(std::make_unique<ModuleInfoCommand>());
    commands.push_back(std::make_unique<ParamsCommand>());
    commands.push_back(std::make_unique<AboutCommand>());
    commands.push_back(std::make_unique<DefaultsPathCommand>());
    commands.push_back(std::make_unique<DefaultsShowCommand>());
    commands.push_back(std::make_unique<DefaultsSaveCommand>());
    commands.push_back(std::make_unique<DefaultsResetCommand>());
#ifdef LUMORA_CLI_IMAGES
    commands.push_back(std::make_unique<RenderCommand>());
    commands.push_back(std::make_unique<DemoCommand>());
#endif
    return commands;
}

} // namespace lumora::cli
