// The one scanner of a verb's arguments: "--name VALUE", "--name=VALUE", switches, and "--"
// after which everything is positional. Each verb says which names it knows and how they take
// their values; the scanner reports every mistake of form as a UsageError.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace lumora::cli {

class ArgScanner {
public:
    // Options named in `repeatable` may be given any number of times.
    explicit ArgScanner(std::span<const std::string> args, std::set<std::string, std::less<>> repeatable = {})
        : args_(args), repeatable_(std::move(repeatable)) {}

    // The next option's name, positionals before it collected; none at the end. An option given
    // a second time is refused unless it is repeatable.
    std::optional<std::string> next();
    // The current option's value, attached or the next argument; refused when missing or empty.
    std::string value(std::string_view valueName);
    // The current option is a switch: an attached value is refused.
    void noValue() const;
    // The attached value, else the next argument when `takes` accepts it, else none.
    std::optional<std::string> valueIf(const std::function<bool(const std::string &)> &takes);

    const std::vector<std::string> &positionals() const { return positionals_; }

private:
    std::span<const std::string> args_;
    std::size_t next_ = 0;
    bool onlyPositionals_ = false;
    std::string name_;
    std::optional<std::string> attached_;
    std::set<std::string, std::less<>> repeatable_;
    std::set<std::string, std::less<>> seen_;
    std::vector<std::string> positionals_;
};

} // namespace lumora::cli
