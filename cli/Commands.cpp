#include "cli/Commands.h"

#include "cli/ModuleInfoCommand.h"

namespace lumora::cli {

CommandList allCommands() {
    CommandList commands;
    commands.push_back(std::make_unique<ModuleInfoCommand>());
    return commands;
}

} // namespace lumora::cli
