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

// One preset operation: the event's value locked in place and the preset file read afresh.
struct PresetEdit {
    PresetEdit(PF_InData *in_data, PF_ParamDef *params[], const PF_EventExtra *event, std::string file)
        : suites(in_data->pica_basicP), value(suites.handleSuite(), params, event->effect_win.index),
          path(std::move(file)) {
        if (value)
            presets = readPresetFile(path.c_str());
    }
    SuiteCache suites;
    GradientValueLock value;
    std::string path;
    std::vector<PresetRecord> presets;
};

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
    PresetEdit edit(in_data, params, event, presetPath());
    if (!edit.value)
        return PF_Err_NONE;
    GradientData &data = edit.value.value();
    if (const PresetRecord *p = findPreset(edit.presets, data.presetName)) {
        data.current = p->list;
        data.preset = p->list;
    }
    edit.value.markChanged();
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::savePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                     PF_EventExtra *event) {
    PresetEdit edit(in_data, params, event, presetPath());
    if (!edit.value)
        return PF_Err_NONE;
    std::vector<PresetRecord> &presets = edit.presets;
    if (ColorBarContext *c = context(event))
        clearSelection(*c);
    GradientData &data = edit.value.value();
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
    if (edit.path.empty() || !writePresetFile(edit.path.c_str(), presets))
        reportUnwritten(out_data, edit.path);
    edit.value.markChanged();
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::deletePreset(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                       PF_EventExtra *event) {
    PresetEdit edit(in_data, params, event, presetPath());
    if (!edit.value)
        return PF_Err_NONE;
    const PresetRecord *found = findPreset(edit.presets, edit.value.value().presetName);
    if (!found)
        return PF_Err_NONE;
    edit.presets.erase(edit.presets.begin() + (found - edit.presets.data()));
    if (!writePresetFile(edit.path.c_str(), edit.presets))
        reportUnwritten(out_data, edit.path);
    return PF_Err_NONE;
}

} // namespace AEUtil
