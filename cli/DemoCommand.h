// `lumora demo OUT [--width W --height H] [options]`: the built-in scene rendered with a setting
// chosen to show the glow off, written to OUT.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

class DemoCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"demo"}; }
    std::string_view synopsis() const override { return "OUT [--width W] [--height H] [--PARAMETER VALUE ...]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

} // namespace lumora::cli
