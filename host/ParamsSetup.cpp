// Parameter set-up: registers every parameter of the registry with the host, with user
// defaults from the settings file where the host allows it, then the glow effect's custom UI.
#include "AE_EffectUI.h"
#include "host/CustomFilter.h"
#include "host/ParamsSetup.h"
#include "options/SettingsFile.h"
#include "params/BaseParam.h"
#include "params/ParamRegistry.h"

namespace AEUtil {

namespace {
constexpr A_long kAfterEffectsApplId = 0x46585443; // 'FXTC'
}

bool settingsFileInUse(const PF_InData *in_data) noexcept {
    if (in_data->appl_id != kAfterEffectsApplId)
        return true;
    const int major = in_data->version.major;
    const int minor = in_data->version.minor;
    return major > 12 || (major == 12 && minor > 11);
}

PF_Err registerAllParams(PF_InData *in_data, PF_OutData *out_data) {
    char path[kSettingsPathSize] = {};
    const char *settingsPath = nullptr;
    if (settingsFileInUse(in_data)) {
        setSettingsSection(kSettingsSectionName);
        if (settingsFilePath(path))
            settingsPath = path;
    } else {
        setSettingsSection(nullptr);
    }
    PF_Err err = PF_Err_NONE;
    for (A_long index = 1; index < hostParamCount() && err == PF_Err_NONE; ++index) {
        if (BaseParam *param = paramAtIndex(index))
            err = param->registerParam(in_data, param->id(), settingsPath);
    }
    out_data->num_params = hostParamCount();
    return err;
}

PF_Err BaseFilter::paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *[], PF_LayerDef *) {
    return registerAllParams(in_data, out_data);
}

PF_Err CustomFilter::paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *[], PF_LayerDef *) {
    if (PF_Err err = registerAllParams(in_data, out_data); err != PF_Err_NONE)
        return err;
    PF_CustomUIInfo ui{};
    ui.events = PF_CustomEFlag_EFFECT;
    return in_data->inter.register_ui(in_data->effect_ref, &ui);
}

} // namespace AEUtil
