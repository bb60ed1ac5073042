// `lumora defaults path|show|save [--set NAME=VALUE ...]|reset`: the user settings file from
// which new effect instances take their defaults.
#pragma once

#include "cli/CommandLine.h"

namespace lumora::cli {

class DefaultsPathCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"defaults", "path"}; }
    std::string_view synopsis() const override { return ""; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

class DefaultsShowCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"defaults", "show"}; }
    std::string_view synopsis() const override { return ""; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

class DefaultsSaveCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"defaults", "save"}; }
    std::string_view synopsis() const override { return "[--set NAME=VALUE ...]"; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

class DefaultsResetCommand : public Command {
public:
    std::vector<std::string_view> words() const override { return {"defaults", "reset"}; }
    std::string_view synopsis() const override { return ""; }
    std::string_view summary() const override;
    int run(std::span<const std::string> args, std::ostream &out) const override;
};

} // namespace lumora::cli
