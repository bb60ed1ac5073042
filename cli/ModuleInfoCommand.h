// `lumora module info [--raw FILE] [MODULE]`: shows or extracts a module's property list.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

class ModuleInfoCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"module", "info"}; }
    std::string_view synopsis() const override { return "[--raw FILE] [MODULE]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

} // namespace lumora::cli
