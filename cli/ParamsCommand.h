// `lumora params [MODULE]` and `lumora about [--shift] [MODULE]`: the plug-in driven through
// the embedded host, showing what a host receives at parameter set-up and from About.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

class ParamsCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"params"}; }
    std::string_view synopsis() const override { return "[MODULE]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

class AboutCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"about"}; }
    std::string_view synopsis() const override { return "[--shift] [MODULE]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

} // namespace lumora::cli
