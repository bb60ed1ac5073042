#include "params/ParamAddColor.h"

#include <algorithm>

#include <cstdio>

#include "params/ParamDefaults.h"

namespace AEUtil {

namespace {

// Keys are the name with ".r", ".g", ".b" or ".a" appended.
struct ChannelKey {
    char text[PF_MAX_EFFECT_PARAM_NAME_LEN + 8];
    ChannelKey(const char *name, char channel) { std::snprintf(text, sizeof text, "%s.%c", name, channel); }
};

A_u_char readChannel(const char *settingsPath, const char *name, char channel, A_u_char fallback) {
    // A stored channel outside 0..255 gives way to the built-in one.
    const std::optional<long> stored = readStoredInt(settingsPath, ChannelKey(name, channel).text);
    return stored && *stored >= 0 && *stored <= 255 ? static_cast<A_u_char>(*stored) : fallback;
}

} // namespace

ParamAddColor::ParamAddColor(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                             PF_Pixel dephault)
    : BaseParam(valueOffset, valueWidth, name, templ), default_(dephault) {}

ParamAddColor::~ParamAddColor() = default;

PF_Err ParamAddColor::registerParam(PF_InData *in_data, A_long id, const char *settingsPath) {
    prepareDefinition(in_data, id, PF_Param_COLOR);
    PF_Pixel color = default_;
    if (settingsPath != nullptr) {
        color.red = readChannel(settingsPath, name_, 'r', default_.red);
        color.green = readChannel(settingsPath, name_, 'g', default_.green);
        color.blue = readChannel(settingsPath, name_, 'b', default_.blue);
    }
    color.alpha = 255;
    def_.u.cd.value = color;
    def_.u.cd.dephault = color;
    return addToHost(in_data);
}

PF_Err ParamAddColor::saveDefault(PF_InData *, const char *settingsPath) {
    const PF_Pixel &c = def_.u.cd.value;
    writeDefaultInt(settingsPath, ChannelKey(name_, 'r').text, c.red);
    writeDefaultInt(settingsPath, ChannelKey(name_, 'g').text, c.green);
    writeDefaultInt(settingsPath, ChannelKey(name_, 'b').text, c.blue);
    writeDefaultInt(settingsPath, ChannelKey(name_, 'a').text, c.alpha);
    return PF_Err_NONE;
}

} // namespace AEUtil
