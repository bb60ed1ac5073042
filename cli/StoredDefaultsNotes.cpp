#include "cli/StoredDefaultsNotes.h"

#include <ostream>
#include <stdexcept>

#include "cli/UserDefaults.h"
#include "options/StoredValue.h"

namespace lumora::cli {

namespace {

// Why the plug-in ignores `value` for `p` (its colour channel when `channel`); empty when it takes it.
std::string whyIgnored(const ParamOption &p, const std::string &value, bool channel) {
    if (channel || p.type != PF_Param_FLOAT_SLIDER) {
        const std::optional<long> n = AEUtil::parseStoredInteger(value);
        if (!n)
            return "is not a whole number";
        if (channel)
            return *n >= 0 && *n <= 255 ? "" : "is outside 0 to 255";
        if (p.type == PF_Param_CHECKBOX)
            return *n == 0 || *n == 1 ? "" : "is neither 0 nor 1";
        if (p.type == PF_Param_POPUP) {
            for (const auto &choice : p.choices)
                if (choice.second == *n)
                    return "";
            return "is not one of the menu's entries";
        }
        return "";
    }
    const std::optional<double> n = AEUtil::parseStoredDecimal(value);
    if (!n)
        return "is not a plain decimal number";
    return *n >= p.validMin && *n <= p.validMax ? "" : "is outside the parameter's range";
}

} // namespace

std::string printable(const std::string &text) {
    std::string out = text;
    for (char &c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return out;
}

std::vector<std::string> storedDefaultNotes(const std::vector<std::string> &entries,
                                            const std::vector<ParamOption> &table) {
    std::vector<std::string> notes;
    for (const std::string &entry : entries) {
        const std::size_t equals = entry.find('=');
        const std::string key = entry.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : entry.substr(equals + 1);
        for (const ParamOption &p : table) {
            const bool whole = sameKey(key, p.name) && p.type != PF_Param_COLOR && p.type != PF_Param_LAYER;
            bool channel = false;
            if (p.type == PF_Param_COLOR)
                for (const char *suffix : {".r", ".g", ".b", ".a"})
                    channel = channel || sameKey(key, p.name + suffix);
            if (!whole && !channel)
                continue;
            if (const std::string why = whyIgnored(p, value, channel); !why.empty())
                notes.push_back(std::string("'")
                                    .append(printable(entry))
                                    .append("' ")
                                    .append(why)
                                    .append("; the built-in default is used"));
            break;
        }
    }
    return notes;
}

void noteStoredDefaults(const std::vector<ParamOption> &table, std::ostream &err) {
    std::vector<std::string> entries;
    std::string path;
    try {
        path = userSettingsPath();
        entries = userDefaultEntries();
    } catch (const std::runtime_error &) {
        return; // no settings file in use: nothing to note
    }
    for (const std::string &note : storedDefaultNotes(entries, table))
        err << "lumora: note: " << printable(path) << ": " << note << '\n';
}

} // namespace lumora::cli
