#include "cli/ModuleReport.h"

#include <cstdio>
#include <optional>

#include "embedhost/pipl/FlagNames.h"

namespace lumora::cli {

namespace {

constexpr const char *kAbsent = "(absent)";

// Property data come from arbitrary files: keep control bytes off the terminal.
std::string printable(const std::string &text) {
    std::string result;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f) {
            result += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            result += escaped;
        }
    }
    return result;
}

void line(std::string &out, const char *label, const std::string &value) {
    char head[32];
    std::snprintf(head, sizeof head, "%-16s", label);
    out += head;
    out += value;
    out += '\n';
}

std::string text(const std::optional<std::string> &value) { return value ? printable(*value) : kAbsent; }

std::string version(const std::optional<pipl::VersionPair> &value) {
    return value ? std::to_string(value->major) + "." + std::to_string(value->minor) : kAbsent;
}

std::string hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*x", digits, static_cast<unsigned>(value));
    return buffer;
}

void flags(std::string &out, const char *label, const std::optional<std::uint32_t> &value,
           std::span<const pipl::FlagName> names) {
    if (!value) {
        line(out, label, kAbsent);
        return;
    }
    line(out, label, hex(*value, 8));
    // Each set bit on its own line: its mask, then the host's name for it.
    for (unsigned bit = 0; bit < 32; ++bit) {
        const std::uint32_t mask = std::uint32_t{1} << bit;
        if (!(static_cast<std::uint32_t>(*value) & mask))
            continue;
        out += "    " + hex(mask, 8) + "  " + pipl::setFlagNames(mask, names).front() + "\n";
    }
}

} // namespace

std::string formatModuleInfo(const pipl::PiPL &list) {
    std::string out;
    line(out, "kind:", text(list.kind()));
    line(out, "name:", text(list.name()));
    line(out, "category:", text(list.category()));
    line(out, "match name:", text(list.matchName()));
    line(out, "entry point:", text(list.entryPoint("8664")));
    line(out, "pipl version:", version(list.piplVersion()));
    line(out, "spec version:", version(list.specVersion()));
    const std::optional<pipl::EffectVersion> effect = list.effectVersion();
    line(out, "effect version:",
         effect ? pipl::formatEffectVersion(*effect) + " (" + std::to_string(effect->packed) + ")" : kAbsent);
    const std::optional<std::uint16_t> info = list.infoFlags();
    line(out, "info flags:", info ? hex(*info, 4) : kAbsent);
    flags(out, "out flags:", list.outFlags(), pipl::outFlagNames());
    flags(out, "out flags 2:", list.outFlags2(), pipl::outFlag2Names());
    return out;
}

} // namespace lumora::cli
