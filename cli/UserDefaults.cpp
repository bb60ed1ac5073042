#include "cli/UserDefaults.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>

#include "cli/RenderOptions.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"
#include "options/SettingsFile.h"
#include "params/BaseParam.h"
#include "params/ParamRegistry.h"
#include "platform/ProfileText.h"
#include "platform/SafeFile.h"

namespace lumora::cli {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void badValue(const DefaultOverride &o, const std::string &expected) {
    throw std::runtime_error("bad value '" + o.value + "' for '" + o.name + "': expected " + expected);
}

long integerIn(const DefaultOverride &o, long low, long high) {
    const std::optional<long> value = parseWhole(o.value);
    if (!value || *value < low || *value > high)
        badValue(o, "an integer from " + std::to_string(low) + " to " + std::to_string(high));
    return *value;
}

// The 1-based entry of a popup's "A|B|C" choice text; empty when there is none.
std::string choiceAt(const char *choices, long position) {
    if (!choices)
        return {};
    const std::string text = choices;
    std::size_t start = 0;
    for (long i = 1; i < position; ++i) {
        start = text.find('|', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find('|', start) - start);
}

std::string formatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Applies `o` to the definition when one of the parameter's keys is its name.
bool applyTo(AEUtil::BaseParam &param, const DefaultOverride &o) {
    const std::string name = param.name() ? param.name() : "";
    PF_ParamDef &def = param.definition();
    switch (def.param_type) {
    case PF_Param_POPUP: {
        if (!sameKey(o.name, name))
            return false;
        // An entry by its name in option form ("screen"), as `render` takes it, or by position.
        const char *choices = def.u.pd.u.namesptr ? def.u.pd.u.namesptr : "";
        if (const std::optional<ParamOption> p = paramOption(1, def, choices))
            for (const auto &[word, position] : p->choices)
                if (word == optionWord(o.value)) {
                    def.u.pd.value = static_cast<PF_ParamValue>(position);
                    return true;
                }
        def.u.pd.value = static_cast<PF_ParamValue>(integerIn(o, 1, def.u.pd.num_choices));
        if (choiceAt(def.u.pd.u.namesptr, def.u.pd.value) == "(-")
            badValue(o, "a menu entry, not a separator line");
        return true;
    }
    case PF_Param_CHECKBOX: {
        if (!sameKey(o.name, name))
            return false;
        const std::optional<bool> on = parseOptionSwitch(o.value);
        if (!on)
            badValue(o, "on or off");
        def.u.bd.value = *on ? 1 : 0;
        return true;
    }
    case PF_Param_FLOAT_SLIDER: {
        if (!sameKey(o.name, name))
            return false;
        const std::optional<double> value = parseOptionNumber(o.value);
        const double low = def.u.fs_d.valid_min, high = def.u.fs_d.valid_max;
        if (!value || *value < low || *value > high)
            badValue(o, "a number from " + formatNumber(low) + " to " + formatNumber(high));
        def.u.fs_d.value = *value;
        return true;
    }
    case PF_Param_COLOR: {
        A_u_char PF_Pixel::*channels[] = {&PF_Pixel::red, &PF_Pixel::green, &PF_Pixel::blue, &PF_Pixel::alpha};
        const char *suffixes[] = {".r", ".g", ".b", ".a"};
        for (int i = 0; i < 4; ++i)
            if (sameKey(o.name, name + suffixes[i])) {
                def.u.cd.value.*channels[i] = static_cast<A_u_char>(integerIn(o, 0, 255));
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

// How many entries a parameter's saved default takes: a colour one per channel.
std::size_t storedKeys(PF_ParamType type) {
    switch (type) {
    case PF_Param_POPUP:
    case PF_Param_CHECKBOX:
    case PF_Param_FLOAT_SLIDER: return 1;
    case PF_Param_COLOR: return 4;
    default: return 0;
    }
}

// A folder of this process's own under the system's temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device seed;
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = fs::temp_directory_path() / ("lumora-defaults-" + std::to_string(seed()));
            std::error_code ec;
            if (fs::create_directory(path_, ec))
                return;
        }
        throw std::runtime_error("cannot create a scratch folder in " + fs::temp_directory_path().string());
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const fs::path &path() const { return path_; }

private:
    fs::path path_;
};

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

void check(const embedhost::CommandResult &result, const char *command) {
    if (result.err != PF_Err_NONE)
        throw std::runtime_error(std::string("the plug-in failed ") + command + " (error " +
                                 std::to_string(result.err) + "): " + result.message());
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

std::string saveBuiltinDefaults(const std::vector<DefaultOverride> &overrides) {
    const std::string path = userSettingsPath();
    // An After Effects of effect API 12.11 keeps the settings file out of registration.
    embedhost::HostProfile profile;
    profile.applId = embedhost::fourCharCode("FXTC");
    profile.version = {12, 11};
    embedhost::Host host(embedhost::Plugin::linked(&EntryPointFunc), profile);
    check(host.send(PF_Cmd_GLOBAL_SETUP), "global set-up");
    check(host.send(PF_Cmd_PARAMS_SETUP), "parameter set-up");

    const A_long count = static_cast<A_long>(AEUtil::paramCount());
    for (const DefaultOverride &o : overrides) {
        bool applied = false;
        for (A_long index = 1; index <= count && !applied; ++index)
            if (AEUtil::BaseParam *param = AEUtil::paramAtIndex(index))
                applied = applyTo(*param, o);
        if (!applied)
            throw std::runtime_error("unknown parameter '" + o.name + "' (see 'lumora params')");
    }

    // Every default goes first to a private scratch file through the plug-in's own writers; the
    // settings file is then replaced whole, so a failure, a kill or a second save never leaves a
    // mixture of old and new values.
    AEUtil::setSettingsSection(AEUtil::kSettingsSectionName);
    const ScratchFolder scratch;
    const std::string scratchFile = (scratch.path() / "Lumora.ini").string();
    PF_InData in_data = host.inData();
    std::size_t keys = 0;
    for (A_long index = 1; index <= count; ++index)
        if (AEUtil::BaseParam *param = AEUtil::paramAtIndex(index)) {
            if (const PF_Err err = param->saveDefault(&in_data, scratchFile.c_str()); err != PF_Err_NONE)
                throw std::runtime_error("saving the default of '" + std::string(param->name()) + "' failed (error " +
                                         std::to_string(err) + ")");
            keys += storedKeys(param->definition().param_type);
        }
    check(host.send(PF_Cmd_GLOBAL_SETDOWN), "global set-down");
    const std::vector<std::string> entries = AEUtil::readSettingEntries(scratchFile.c_str());
    if (entries.size() != keys)
        throw std::runtime_error("cannot write " + path + ": only " + std::to_string(entries.size()) + " of " +
                                 std::to_string(keys) + " defaults could be prepared in " + scratch.path().string());
    replaceSection(path, entries);
    return path;
}

void resetUserDefaults() {
    userSettingsPath(); // the same failure as the other verbs when there is no path
    AEUtil::restoreInitialDefaults();
}

} // namespace lumora::cli
