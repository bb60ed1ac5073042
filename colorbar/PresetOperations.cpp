// The four preset operations of the colour bar on the shared preset file, read afresh each time.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientValueLock.h"
#include "colorbar/data/PresetFile.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

PresetRecord recordOf(const GradientData &value) {
    PresetRecord r{};
    std::memcpy(&r, &value, sizeof r);
    return r;
}

bool byName(const PresetRecord &a, const PresetRecord &b) { return std::strcmp(a.name, b.name) < 0; }

// A file that could not be written is reported with the effect's name; the value's edit stays.
void reportUnwritten(PF_OutData *out_data, const std::string &path) {
    if (!out_data)
        return;
    std::snprintf(out_data->return_msg, sizeof out_data->return_msg, "%s\r\n%s%s", "Lumora",
                  "The preset file could not be written: ", path.c_str());
    out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
}

} // namespace

std::string GradColorPresetUI::presetPath() const {
    char path[kPresetPathSize];
    return presetFilePath(presetFileName().c_str(), path) ? std::string(path) : std::string();
}

std::vector<std::string> GradColorPresetUI::listPresetNames(PF_InData *, PF_OutData *, PF_ParamDef *[],
                                                            PF_EventExtra *) {
    std::vector<std::string> names;
    for (const PresetRecord &r : readPresetFile(presetPath().c_str()))
        names.emplace_back(r.name);
    return names;
}

PF_Err GradColorPresetUI::applyPreset(PF_InData *in_data, PF_OutData *, PF_ParamDef *params[], PF_EventExtra *event) {
    SuiteCache suites(in_data->pica_basicP);
    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (!value)
        return PF_Err_NONE;
    const std::vector<PresetRecord> presets = readPresetFile(presetPath().c_str());
    GradientData &data = value.value();
    if (const PresetRecord *p = findPreset(presets, data.presetName)) {
        data.current = p->list;
        data.preset = p->list;
    }
    value.markChanged();
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::savePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                     PF_EventExtra *event) {
    SuiteCache suites(in_data->pica_basicP);
    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (!value)
        return PF_Err_NONE;
    const std::string path = presetPath();
    std::vector<PresetRecord> presets = readPresetFile(path.c_str());
    if (ColorBarContext *c = context(event))
        clearSelection(*c);
    GradientData &data = value.value();
    sortColorFlags(data.current);
    data.preset = data.current;
    const PresetRecord record = recordOf(data);
    auto same = std::find_if(presets.begin(), presets.end(),
                             [&](const PresetRecord &r) { return std::strcmp(r.name, record.name) == 0; });
    if (same != presets.end()) {
        *same = record;
    } else {
        presets.push_back(record);
        std::stable_sort(presets.begin(), presets.end(), byName);
    }
    if (path.empty() || !writePresetFile(path.c_str(), presets))
        reportUnwritten(out_data, path);
    value.markChanged();
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::deletePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                       PF_EventExtra *event) {
    SuiteCache suites(in_data->pica_basicP);
    GradientValueLock value(suites.handleSuite(), params, event->effect_win.index);
    if (!value)
        return PF_Err_NONE;
    const std::string path = presetPath();
    std::vector<PresetRecord> presets = readPresetFile(path.c_str());
    const char *name = value.value().presetName;
    auto found = std::find_if(presets.begin(), presets.end(), [&](const PresetRecord &r) {
        return std::strncmp(r.name, name, kGradientNameSize) == 0;
    });
    if (found == presets.end())
        return PF_Err_NONE;
    presets.erase(found);
    if (!writePresetFile(path.c_str(), presets))
        reportUnwritten(out_data, path);
    return PF_Err_NONE;
}

} // namespace AEUtil
