#include "cli/RenderOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/ArgScanner.h"
#include "cli/CommandLine.h"
#include "cli/GradientStops.h"
#include "cli/MemoryBudget.h"
#include "cli/ParamTable.h"
#include "embedhost/EffectParams.h"

namespace lumora::cli {

namespace {

struct RunOption {
    std::string_view name;
    std::string_view valueName; // empty: a switch
    bool render;
    bool demo;
};

constexpr RunOption kRunOptions[] = {
    {"--module", "PATH", true, true},   {"--gradient", "STOPS", true, true},  {"--gradient-preset", "NAME", true, true},
    {"--downsample", "N", true, true},  {"--threads", "N", true, true},       {"--quality", "hi|lo", true, true},
    {"--depth", "8|16|32", true, true}, {"--keep-area", "", true, true},      {"--frames", "A-B", true, false},
    {"--classic", "", true, true},      {"--list-options", "", true, true},   {"--width", "W", false, true},
    {"--height", "H", false, true},     {"--max-memory", "SIZE", true, true},
};

bool offered(const RunOption &o, RenderVerb verb) { return verb == RenderVerb::Render ? o.render : o.demo; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

UsageError badValue(std::string_view option, std::string_view value, const std::string &expected) {
    return UsageError("option '" + std::string(option) + "': '" + std::string(value) + "' is not " + expected);
}

long wholeIn(std::string_view option, std::string_view text, long low, long high) {
    const std::optional<long> value = parseWhole(text);
    if (!value || *value < low || *value > high)
        throw badValue(option, text, "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return *value;
}

std::string choiceList(const ParamOption &p) {
    std::string list;
    for (const auto &[word, value] : p.choices)
        list.append(list.empty() ? "" : "|").append(word);
    return list;
}

std::string rangeText(const ParamOption &p) { return formatNumber(p.validMin) + " to " + formatNumber(p.validMax); }

embedhost::ParamValue paramValue(const ParamOption &p, std::string_view text) {
    switch (p.type) {
    case PF_Param_POPUP: {
        const std::string word = optionWord(text);
        for (const auto &[choice, value] : p.choices)
            if (choice == word)
                return embedhost::ParamValue::popup(value);
        std::vector<std::string> words;
        for (const auto &choice : p.choices)
            words.push_back(choice.first);
        std::string expected = "one of " + choiceList(p);
        if (const std::optional<std::string> near = closestName(word, words))
            expected += " (did you mean '" + *near + "'?)";
        throw badValue(p.option, text, expected);
    }
    case PF_Param_FLOAT_SLIDER: {
        const std::optional<double> value = parseOptionNumber(text);
        if (!value)
            throw badValue(p.option, text, "a number (from " + rangeText(p) + ")");
        if (*value < p.validMin || *value > p.validMax)
            throw UsageError("option '" + p.option + "': " + std::string(text) + " is outside the range " +
                             rangeText(p) + " of \"" + p.name + "\"");
        return embedhost::ParamValue::floatSlider(*value);
    }
    case PF_Param_CHECKBOX: {
        const std::optional<bool> on = parseOptionSwitch(text);
        if (!on)
            throw badValue(p.option, text, "on or off");
        return embedhost::ParamValue::checkbox(*on);
    }
    case PF_Param_COLOR: {
        PF_Pixel color{};
        if (!parseHexColor(text, color))
            throw badValue(p.option, text, "a colour #RRGGBB");
        return embedhost::ParamValue::colorChoice(color);
    }
    default: throw std::logic_error("no value of this parameter type is read from the command line");
    }
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

void applyRunOption(RenderRequest &r, const std::string &name, const std::string &value) {
    if (name == "--module")
        r.module = value;
    else if (name == "--gradient")
        r.gradient = parseGradientStops(value, name);
    else if (name == "--gradient-preset")
        r.gradientPreset = value;
    else if (name == "--downsample")
        r.downsample = static_cast<int>(wholeIn(name, value, 1, 64));
    else if (name == "--threads")
        r.threads = static_cast<unsigned>(wholeIn(name, value, 1, 256));
    else if (name == "--quality") {
        if (value != "hi" && value != "lo")
            throw badValue(name, value, "hi or lo");
        r.quality = value == "hi" ? PF_Quality_HI : PF_Quality_LO;
    } else if (name == "--depth") {
        if (value != "8" && value != "16" && value != "32")
            throw badValue(name, value, "8, 16 or 32");
        r.depth = std::stoi(value);
    } else if (name == "--keep-area") {
        r.keepArea = true;
    } else if (name == "--max-memory") {
        const std::optional<std::uint64_t> bytes = parseByteSize(value);
        if (!bytes)
            throw badValue(name, value, "a size such as 4G, 512M or a number of bytes");
        r.memoryBudget = *bytes;
    } else if (name == "--frames")
        r.frames = parseFrameRange(value, name);
    else if (name == "--classic")
        r.classic = true;
    else if (name == "--list-options")
        r.listOptions = true;
    else if (name == "--width")
        r.width = static_cast<A_long>(wholeIn(name, value, 1, 8192));
    else if (name == "--height")
        r.height = static_cast<A_long>(wholeIn(name, value, 1, 8192));
}

} // namespace

std::optional<double> parseOptionNumber(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long> parseWhole(std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> parseOptionSwitch(std::string_view text) {
    const std::string word = optionWord(text);
    if (word == "on" || word == "true" || word == "yes" || word == "1")
        return true;
    if (word == "off" || word == "false" || word == "no" || word == "0")
        return false;
    return std::nullopt;
}

std::string optionWord(std::string_view label) {
    std::string word;
    bool gap = false;
    for (const char c : label) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            gap = !word.empty();
            continue;
        }
        if (gap)
            word += '-';
        gap = false;
        word += lower(c);
    }
    return word;
}

std::optional<ParamOption> paramOption(PF_ParamIndex index, const PF_ParamDef &def, const std::string &choices) {
    if (index <= 0 || def.name[0] == '\0')
        return std::nullopt;
    ParamOption p;
    p.name = def.name;
    p.option = "--" + optionWord(p.name);
    p.index = index;
    p.type = def.param_type;
    p.dephault = embedhost::defaultOf(def);
    switch (def.param_type) {
    case PF_Param_POPUP: {
        std::size_t start = 0;
        for (A_long position = 1; start <= choices.size(); ++position) {
            const std::size_t bar = std::min(choices.find('|', start), choices.size());
            const std::string item = choices.substr(start, bar - start);
            if (item != "(-" && !optionWord(item).empty())
                p.choices.emplace_back(optionWord(item), position);
            start = bar + 1;
        }
        break;
    }
    case PF_Param_FLOAT_SLIDER:
        p.validMin = def.u.fs_d.valid_min;
        p.validMax = def.u.fs_d.valid_max;
        break;
    case PF_Param_CHECKBOX:
    case PF_Param_COLOR:
    case PF_Param_LAYER: break;
    default: return std::nullopt;
    }
    return p;
}

std::vector<ParamOption> paramOptions(const embedhost::EffectParams &params) {
    std::vector<ParamOption> options;
    for (A_long index = 1; index < params.count(); ++index) {
        const PF_ParamDef def = params.definition(index);
        const std::string choices = def.param_type == PF_Param_POPUP ? params.choices(index) : std::string();
        if (std::optional<ParamOption> p = paramOption(index, def, choices))
            options.push_back(std::move(*p));
    }
    return options;
}

std::string describeParamOptions(const std::vector<ParamOption> &options) {
    std::string text;
    for (const ParamOption &p : options) {
        std::string value, range;
        switch (p.type) {
        case PF_Param_POPUP: {
            value = choiceList(p);
            for (const auto &[word, position] : p.choices)
                if (position == p.dephault.whole())
                    range = "default " + word;
            break;
        }
        case PF_Param_FLOAT_SLIDER:
            value = "NUMBER";
            range = rangeText(p) + ", default " + formatNumber(p.dephault.number);
            break;
        case PF_Param_CHECKBOX:
            value = "[on|off]";
            range = std::string("default ") + (p.dephault.whole() ? "on" : "off");
            break;
        case PF_Param_COLOR: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "#%02x%02x%02x", p.dephault.color.red, p.dephault.color.green,
                          p.dephault.color.blue);
            value = "#RRGGBB";
            range = std::string("default ") + hex;
            break;
        }
        case PF_Param_LAYER:
            value = "FILE";
            range = "an image file, default none";
            break;
        default: break;
        }
        std::string line = "  " + p.option + " " + value;
        line.append(line.size() < 52 ? 52 - line.size() : 1, ' ');
        text += line + "\"" + p.name + "\": " + range + "\n";
    }
    return text;
}

std::string moduleOption(std::span<const std::string> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--")
            break;
        if (args[i] == "--module" && i + 1 < args.size())
            return args[i + 1];
        if (args[i].starts_with("--module="))
            return args[i].substr(9);
    }
    return {};
}

std::optional<std::string> closestName(std::string_view word, const std::vector<std::string> &candidates) {
    std::optional<std::string> best;
    std::size_t bestDistance = 0;
    for (const std::string &candidate : candidates) {
        const std::size_t d = editDistance(word, candidate);
        if (!best || d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    // A third of the word may be mistyped, at least two characters.
    if (!best || bestDistance > std::max<std::size_t>(2, word.size() / 3))
        return std::nullopt;
    return best;
}

RenderRequest parseRenderArgs(std::span<const std::string> args, const std::vector<ParamOption> &params,
                              RenderVerb verb) {
    RenderRequest r;
    ArgScanner scan(args);
    while (const std::optional<std::string> found = scan.next()) {
        const std::string &name = *found;
        const auto run = std::find_if(std::begin(kRunOptions), std::end(kRunOptions),
                                      [&](const RunOption &o) { return o.name == name && offered(o, verb); });
        if (run != std::end(kRunOptions)) {
            if (run->valueName.empty())
                scan.noValue();
            applyRunOption(r, name, run->valueName.empty() ? "" : scan.value(run->valueName));
            continue;
        }
        const auto param =
            std::find_if(params.begin(), params.end(), [&](const ParamOption &p) { return p.option == name; });
        if (param == params.end()) {
            std::vector<std::string> known;
            for (const RunOption &o : kRunOptions)
                if (offered(o, verb))
                    known.emplace_back(o.name);
            for (const ParamOption &p : params)
                known.push_back(p.option);
            std::string message = "unknown option '" + name + "'";
            if (const std::optional<std::string> near = closestName(name, known))
                message += "; did you mean '" + *near + "'?";
            throw UsageError(message + " ('--list-options' lists the parameter options)");
        }
        if (param->type == PF_Param_LAYER) {
            r.layers.push_back({param->index, scan.value("FILE"), name});
            continue;
        }
        std::string value;
        if (param->type == PF_Param_CHECKBOX)
            value = scan.valueIf([](const std::string &next) { return parseOptionSwitch(next).has_value(); })
                        .value_or("on");
        else
            value = scan.value(param->type == PF_Param_FLOAT_SLIDER ? "NUMBER" : "VALUE");
        r.settings.push_back({param->index, name, paramValue(*param, value)});
    }
    r.positionals = scan.positionals();
    if (r.gradient && !r.gradientPreset.empty())
        throw UsageError("options '--gradient' and '--gradient-preset' exclude each other");
    if (r.listOptions)
        return r;
    const std::size_t wanted = verb == RenderVerb::Render ? 2 : 1;
    if (r.positionals.size() < wanted)
        throw UsageError(verb == RenderVerb::Render ? "missing argument: IN and OUT are needed"
                                                    : "missing argument: OUT is needed");
    if (r.positionals.size() > wanted)
        throw UsageError("unexpected argument '" + r.positionals[wanted] + "'");
    return r;
}

} // namespace lumora::cli
