#include "cli/ArgScanner.h"

#include "cli/CommandLine.h"

namespace lumora::cli {

std::optional<std::string> ArgScanner::next() {
    while (next_ < args_.size()) {
        const std::string &arg = args_[next_++];
        if (onlyPositionals_ || arg.size() < 2 || arg[0] != '-') {
            positionals_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositionals_ = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        name_ = arg.substr(0, equals);
        attached_ = equals == std::string::npos ? std::nullopt : std::optional<std::string>(arg.substr(equals + 1));
        if (!seen_.insert(name_).second && !repeatable_.count(name_))
            throw UsageError("option '" + name_ + "' given twice");
        return name_;
    }
    return std::nullopt;
}

std::string ArgScanner::value(std::string_view valueName) {
    std::string value;
    if (attached_)
        value = *attached_;
    else if (next_ < args_.size())
        value = args_[next_++];
    else
        throw UsageError("option '" + name_ + "' needs a value " + std::string(valueName));
    if (value.empty())
        throw UsageError("option '" + name_ + "' needs a non-empty value");
    return value;
}

void ArgScanner::noValue() const {
    if (attached_)
        throw UsageError("option '" + name_ + "' takes no value");
}

std::optional<std::string> ArgScanner::valueIf(const std::function<bool(const std::string &)> &takes) {
    if (attached_ && attached_->empty())
        throw UsageError("option '" + name_ + "' needs a non-empty value");
    if (attached_)
        return attached_;
    if (next_ < args_.size() && takes(args_[next_]))
        return args_[next_++];
    return std::nullopt;
}

} // namespace lumora::cli
