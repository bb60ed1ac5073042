// PF_Cmd_UPDATE_PARAMS_UI: greys out the controls that the current choices make meaningless.
#include "host/BaseFilter.h"
#include "host/kit/SuiteCache.h"
#include "params/GlowParams.h"
#include "params/ParamRegistry.h"
#include "params/ParamUtilsSuite.h"

namespace AEUtil {

namespace {

constexpr A_long kDepthControls[] = {kIdDepthLayer, kIdCenterPosition, kIdDepthBias,
                                     kIdDepthTint,  kIdDepthRadius,    kIdDepthIntensity};

// The host takes only a copy: the parameter array itself must not change here.
void setEnabled(const ParamUtilsSuite &suite, PF_InData *in_data, PF_ParamDef *params[], A_long id, bool enabled) {
    const A_long index = indexOfId(id);
    if (index == 0)
        return;
    PF_ParamDef copy = *params[index];
    if (enabled)
        copy.ui_flags &= ~PF_PUI_DISABLED;
    else
        copy.ui_flags |= PF_PUI_DISABLED;
    suite.PF_UpdateParamUI(in_data->effect_ref, index, &copy);
}

} // namespace

PF_Err BaseFilter::updateParamsUI(PF_InData *in_data, PF_OutData *, PF_ParamDef *params[], PF_LayerDef *) {
    // Without the parameter array there are no current choices to follow.
    if (params == nullptr)
        return PF_Err_NONE;
    SuiteCache suites(in_data->pica_basicP);
    const ParamUtilsSuite suite(in_data, suites);

    if (const A_long glowType = indexOfId(kIdGlowType); glowType != 0) {
        const bool colorBarUsed = params[glowType]->u.pd.value != kGlowTypeOriginalColors;
        setEnabled(suite, in_data, params, kIdGlowColorBar, colorBarUsed);
    }
    if (const A_long enable = indexOfId(kIdEnableDepth); enable != 0) {
        const bool depthOn = params[enable]->u.bd.value != 0;
        for (A_long id : kDepthControls)
            setEnabled(suite, in_data, params, id, depthOn);
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
