#include "cli/UserDefaults.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#include "cli/EffectModule.h"
#include "cli/ParamTable.h"
#include "cli/RenderOptions.h"
#include "options/SettingsFile.h"
#include "platform/ProfileText.h"
#include "platform/SafeFile.h"

namespace lumora::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::pair<const char *, A_u_char PF_Pixel::*> kChannels[] = {
    {".r", &PF_Pixel::red}, {".g", &PF_Pixel::green}, {".b", &PF_Pixel::blue}, {".a", &PF_Pixel::alpha}};

std::string printed(const char *format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

[[noreturn]] void badValue(const DefaultOverride &o, const std::string &expected) {
    throw std::runtime_error("bad value '" + o.value + "' for '" + o.name + "': expected " + expected);
}

long integerIn(const DefaultOverride &o, long low, long high) {
    const std::optional<long> value = parseWhole(o.value);
    if (!value || *value < low || *value > high)
        badValue(o, "an integer from " + std::to_string(low) + " to " + std::to_string(high));
    return *value;
}

// Applies `o` to the host's value of the parameter at `index` when one of its keys is its name.
bool applyTo(embedhost::EffectParams &params, PF_ParamIndex index, const DefaultOverride &o) {
    const PF_ParamDef def = params.definition(index);
    const std::string name = def.name;
    switch (def.param_type) {
    case PF_Param_POPUP: {
        if (!sameKey(o.name, name))
            return false;
        // An entry by its name in option form ("screen"), as `render` takes it, or by position.
        const std::string choices = params.choices(index);
        if (const std::optional<ParamOption> p = paramOption(index, def, choices))
            for (const auto &[word, position] : p->choices)
                if (word == optionWord(o.value)) {
                    params.setValue(index, embedhost::ParamValue::popup(position));
                    return true;
                }
        const A_long position = static_cast<A_long>(integerIn(o, 1, def.u.pd.num_choices));
        if (choiceAt(choices, position) == "(-")
            badValue(o, "a menu entry, not a separator line");
        params.setValue(index, embedhost::ParamValue::popup(position));
        return true;
    }
    case PF_Param_CHECKBOX: {
        if (!sameKey(o.name, name))
            return false;
        const std::optional<bool> on = parseOptionSwitch(o.value);
        if (!on)
            badValue(o, "on or off");
        params.setValue(index, embedhost::ParamValue::checkbox(*on));
        return true;
    }
    case PF_Param_FLOAT_SLIDER: {
        if (!sameKey(o.name, name))
            return false;
        const std::optional<double> value = parseOptionNumber(o.value);
        const double low = def.u.fs_d.valid_min, high = def.u.fs_d.valid_max;
        if (!value || *value < low || *value > high)
            badValue(o, "a number from " + formatNumber(low) + " to " + formatNumber(high));
        params.setValue(index, embedhost::ParamValue::floatSlider(*value));
        return true;
    }
    case PF_Param_COLOR: {
        for (const auto &[suffix, channel] : kChannels)
            if (sameKey(o.name, name + suffix)) {
                PF_Pixel color = params.value(index).color;
                color.*channel = static_cast<A_u_char>(integerIn(o, 0, 255));
                params.setValue(index, embedhost::ParamValue::colorChoice(color));
                return true;
            }
        return false;
    }
    default:
        if (!name.empty() && sameKey(o.name, name))
            throw std::runtime_error("parameter '" + name + "' has no user default");
        return false;
    }
}

// The entries ("key=value") the parameter's default is stored as, in the settings file's
// format: menus and checkboxes "%d", sliders "%f" in the locale the plug-in set, colours one
// "%d" entry per channel; none for the kinds that have no user default.
void appendEntries(const embedhost::EffectParams &params, PF_ParamIndex index, std::vector<std::string> &entries) {
    const PF_ParamDef def = params.definition(index);
    const std::string name = def.name;
    switch (def.param_type) {
    case PF_Param_POPUP:
    case PF_Param_CHECKBOX: entries.push_back(name + "=" + std::to_string(params.value(index).whole())); break;
    case PF_Param_FLOAT_SLIDER: entries.push_back(name + "=" + printed("%f", params.value(index).number)); break;
    case PF_Param_COLOR: {
        const PF_Pixel color = params.value(index).color;
        for (const auto &[suffix, channel] : kChannels)
            entries.push_back(name + suffix + "=" + std::to_string(color.*channel));
        break;
    }
    default: break;
    }
}

// Each of `entries` ("key=value") set in the plug-in's section of the file at `path`, in place
// where the key is there; every other line stays. One safe write: the old file or the new one,
// never a mixture.
void replaceSection(const std::string &path, const std::vector<std::string> &entries) {
    std::string content;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        std::ifstream in(path, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), {});
        if (in.bad() || !in.is_open())
            throw std::runtime_error("cannot read " + path);
    }
    platform::profile::ProfileText text(content);
    for (const std::string &entry : entries) {
        const std::size_t equals = entry.find('=');
        text.set(AEUtil::kSettingsSectionName, entry.substr(0, equals), entry.substr(equals + 1));
    }
    if (!AEUtil::prepareSettingsFolder(path.c_str()))
        throw std::runtime_error("cannot create the folder of " + path);
    platform::removeStaleTemporaries(path);
    std::string cause;
    if (!platform::writeFileSafely(path, text.content(), cause))
        throw std::runtime_error("cannot write " + path + ": " + cause);
}

} // namespace

bool sameKey(const std::string &a, const std::string &b) { return platform::profile::sameName(a, b); }

DefaultOverride parseOverride(const std::string &text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        throw std::runtime_error("'" + text + "' is not NAME=VALUE");
    return {text.substr(0, equals), text.substr(equals + 1)};
}

std::string userSettingsPath() {
    char path[AEUtil::kSettingsPathSize];
    if (!AEUtil::settingsFilePath(path))
        throw std::runtime_error("the settings file path cannot be built: the application-data folder is "
                                 "unknown or the path would be longer than 259 characters");
    return path;
}

std::vector<std::string> userDefaultEntries() {
    const std::string path = userSettingsPath();
    AEUtil::setSettingsSection(AEUtil::kSettingsSectionName);
    return AEUtil::readSettingEntries(path.c_str());
}

std::string saveBuiltinDefaults(const std::vector<DefaultOverride> &overrides, const std::string &module) {
    const std::string path = userSettingsPath();
    // An After Effects of effect API 12.11 keeps the settings file out of registration, so every
    // value starts at its built-in default.
    embedhost::HostProfile profile;
    profile.applId = embedhost::fourCharCode("FXTC");
    profile.version = {12, 11};
    embedhost::Host host(effectPlugin(module), profile);
    std::vector<std::string> entries;
    withRegisteredParams(host, [&](embedhost::EffectParams &params) {
        for (const DefaultOverride &o : overrides) {
            bool applied = false;
            for (PF_ParamIndex index = 1; index < params.count() && !applied; ++index)
                applied = applyTo(params, index, o);
            if (!applied)
                throw std::runtime_error("unknown parameter '" + o.name + "' (see 'lumora params')");
        }
        for (PF_ParamIndex index = 1; index < params.count(); ++index)
            appendEntries(params, index, entries);
    });
    // Every entry in one safe write: a failure, a kill or a second save never leaves a mixture
    // of old and new values.
    replaceSection(path, entries);
    return path;
}

void resetUserDefaults() {
    userSettingsPath(); // the same failure as the other verbs when there is no path
    AEUtil::restoreInitialDefaults();
}

} // namespace lumora::cli
