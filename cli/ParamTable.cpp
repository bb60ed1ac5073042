#include "cli/ParamTable.h"

#include <charconv>
#include <cstdio>

namespace lumora::cli {

namespace {

struct FlagName {
    A_long bit;
    const char *name;
};

constexpr FlagName kParamFlags[] = {
    {PF_ParamFlag_CANNOT_TIME_VARY, "CANNOT_TIME_VARY"},
    {PF_ParamFlag_CANNOT_INTERP, "CANNOT_INTERP"},
    {PF_ParamFlag_COLLAPSE_TWIRLY, "COLLAPSE_TWIRLY"},
    {PF_ParamFlag_SUPERVISE, "SUPERVISE"},
    {PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS, "USE_VALUE_FOR_OLD_PROJECTS"},
    {PF_ParamFlag_EXCLUDE_FROM_HAVE_INPUTS_CHANGED, "EXCLUDE_FROM_HAVE_INPUTS_CHANGED"},
    {PF_ParamFlag_SKIP_REVEAL_WHEN_UNHIDDEN, "SKIP_REVEAL_WHEN_UNHIDDEN"},
};

constexpr FlagName kUiFlags[] = {
    {PF_PUI_TOPIC, "TOPIC"},
    {PF_PUI_CONTROL, "CONTROL"},
    {PF_PUI_STD_CONTROL_ONLY, "STD_CONTROL_ONLY"},
    {PF_PUI_NO_ECW_UI, "NO_ECW_UI"},
    {PF_PUI_ECW_SEPARATOR, "ECW_SEPARATOR"},
    {PF_PUI_DISABLED, "DISABLED"},
    {PF_PUI_DONT_ERASE_TOPIC, "DONT_ERASE_TOPIC"},
    {PF_PUI_DONT_ERASE_CONTROL, "DONT_ERASE_CONTROL"},
    {PF_PUI_RADIO_BUTTON, "RADIO_BUTTON"},
    {PF_PUI_INVISIBLE, "INVISIBLE"},
};

template <std::size_t N>
std::string flagNames(A_long flags, const FlagName (&names)[N]) {
    std::string text;
    A_long known = 0;
    for (const FlagName &f : names) {
        known |= f.bit;
        if (flags & f.bit)
            text.append(text.empty() ? "" : "|").append(f.name);
    }
    if (const A_long rest = flags & ~known) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(rest));
        text.append(text.empty() ? "" : "|").append(hex);
    }
    return text.empty() ? "-" : text;
}

struct Columns {
    std::string range, dephault, display;
};

Columns describe(const ParamRow &row) {
    const PF_ParamDef &d = row.def;
    Columns c{"-", "-", "-"};
    switch (d.param_type) {
    case PF_Param_POPUP:
        c.range = std::to_string(d.u.pd.num_choices) + " choices";
        c.dephault = std::to_string(d.u.pd.dephault) + " (" + choiceAt(row.choices, d.u.pd.dephault) + ")";
        c.display = "menu (below)";
        break;
    case PF_Param_FLOAT_SLIDER: {
        const PF_FloatSliderDef &fs = d.u.fs_d;
        c.range = formatNumber(fs.valid_min) + " to " + formatNumber(fs.valid_max) + " / " +
                  formatNumber(fs.slider_min) + " to " + formatNumber(fs.slider_max);
        c.dephault = formatNumber(fs.dephault);
        c.display = "precision " + std::to_string(fs.precision);
        if (fs.display_flags & PF_ValueDisplayFlag_PERCENT)
            c.display += ", percent";
        if (fs.display_flags & PF_ValueDisplayFlag_PIXEL)
            c.display += ", pixel";
        if (fs.fs_flags & PF_FSliderFlag_WANT_PHASE)
            c.display += ", phase";
        break;
    }
    case PF_Param_CHECKBOX:
        c.dephault = d.u.bd.dephault ? "on" : "off";
        c.display = "label \"" + row.label + "\"";
        break;
    case PF_Param_COLOR: {
        const PF_Pixel &p = d.u.cd.dephault;
        c.dephault = "ARGB " + std::to_string(p.alpha) + " " + std::to_string(p.red) + " " + std::to_string(p.green) +
                     " " + std::to_string(p.blue);
        break;
    }
    case PF_Param_LAYER:
        if (row.index != 0)
            c.dephault = d.u.ld.dephault == PF_LayerDefault_NONE     ? "none"
                         : d.u.ld.dephault == PF_LayerDefault_MYSELF ? "this layer"
                                                                     : std::to_string(d.u.ld.dephault);
        break;
    case PF_Param_ARBITRARY_DATA:
        c.dephault = d.u.arb_d.dephault ? "data" : "none";
        c.display = "custom UI " + std::to_string(d.ui_width) + " x " + std::to_string(d.ui_height);
        break;
    default: break;
    }
    return c;
}

} // namespace

std::string choiceAt(const std::string &choices, A_long position) {
    std::size_t start = 0;
    for (A_long i = 1; i < position; ++i) {
        start = choices.find('|', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return choices.substr(start, choices.find('|', start) - start);
}

std::string formatNumber(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string formatNumber(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string paramTypeName(PF_ParamType type) {
    switch (type) {
    case PF_Param_LAYER: return "layer";
    case PF_Param_SLIDER: return "slider";
    case PF_Param_FIX_SLIDER: return "fixed slider";
    case PF_Param_ANGLE: return "angle";
    case PF_Param_CHECKBOX: return "checkbox";
    case PF_Param_COLOR: return "color";
    case PF_Param_POINT: return "point";
    case PF_Param_POPUP: return "popup";
    case PF_Param_FLOAT_SLIDER: return "float slider";
    case PF_Param_ARBITRARY_DATA: return "arbitrary";
    case PF_Param_PATH: return "path";
    case PF_Param_GROUP_START: return "group start";
    case PF_Param_GROUP_END: return "group end";
    case PF_Param_BUTTON: return "button";
    case PF_Param_POINT_3D: return "point 3D";
    default: return "type " + std::to_string(type);
    }
}

std::string paramFlagNames(PF_ParamFlags flags) { return flagNames(flags, kParamFlags); }

std::string uiFlagNames(PF_ParamUIFlags flags) { return flagNames(flags, kUiFlags); }

std::string formatParamTable(const std::vector<ParamRow> &rows) {
    std::string text;
    char line[512];
    std::snprintf(line, sizeof line, "%3s  %-4s %-12s %-22s %-26s %-21s %-22s %-16s %s\n", "idx", "id", "type", "name",
                  "valid / slider range", "default", "display", "flags", "ui flags");
    text += line;
    for (const ParamRow &row : rows) {
        const PF_ParamDef &d = row.def;
        const Columns c = describe(row);
        const std::string name = row.index == 0 ? "(input layer)" : d.name[0] ? d.name : "(end of group)";
        const std::string id = row.index == 0 ? "-" : std::to_string(d.uu.id);
        std::snprintf(line, sizeof line, "%3d  %-4s %-12s %-22s %-26s %-21s %-22s %-16s %s\n",
                      static_cast<int>(row.index), id.c_str(), paramTypeName(d.param_type).c_str(), name.c_str(),
                      c.range.c_str(), c.dephault.c_str(), c.display.c_str(), paramFlagNames(d.flags).c_str(),
                      uiFlagNames(d.ui_flags).c_str());
        text += line;
        if (d.param_type == PF_Param_POPUP)
            text.append("     menu: ").append(row.choices).append("\n");
    }
    return text;
}

} // namespace lumora::cli
