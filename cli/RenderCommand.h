// `lumora render IN OUT [options]`: image files (or '#' sequences) through the plug-in in the
// embedded host, every parameter settable by an option.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

class RenderCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"render"}; }
    std::string_view synopsis() const override { return "IN OUT [--PARAMETER VALUE ...] [options]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

} // namespace lumora::cli
