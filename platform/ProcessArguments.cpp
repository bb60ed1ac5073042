#include "platform/ProcessArguments.h"

#include "platform/Environment.h"
#include "platform/Native.h"

namespace lumora::platform {

std::vector<std::string> processArguments() {
    const std::optional<std::string> line = environmentValue(kCommandLineVariable);
    if (!line)
        return nativeProcessArguments();
    std::vector<std::string> arguments;
    std::size_t start = line->find_first_not_of(" \t");
    while (start != std::string::npos) {
        const std::size_t end = line->find_first_of(" \t", start);
        arguments.push_back(line->substr(start, end - start));
        start = line->find_first_not_of(" \t", end);
    }
    return arguments;
}

} // namespace lumora::platform
