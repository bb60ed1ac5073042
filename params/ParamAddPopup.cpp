#include "params/ParamAddPopup.h"

#include "params/ParamDefaults.h"

namespace AEUtil {

ParamAddPopup::ParamAddPopup(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                             A_short numChoices, A_short dephault, const char *choices)
    : BaseParam(valueOffset, valueWidth, name, templ), num_choices_(numChoices), default_(dephault),
      choices_(choices) {}

ParamAddPopup::~ParamAddPopup() = default;

PF_Err ParamAddPopup::registerParam(PF_InData *in_data, A_long id, const char *settingsPath) {
    prepareDefinition(in_data, id, PF_Param_POPUP);
    // A stored position the menu does not have gives way to the built-in default.
    const int stored = readDefaultInt(settingsPath, name_, default_);
    const auto dephault = static_cast<A_short>(stored >= 1 && stored <= num_choices_ ? stored : default_);
    def_.u.pd.value = dephault;
    def_.u.pd.dephault = dephault;
    def_.u.pd.num_choices = num_choices_;
    def_.u.pd.u.namesptr = choices_;
    return addToHost(in_data);
}

PF_Err ParamAddPopup::saveDefault(PF_InData *, const char *settingsPath) {
    writeDefaultInt(settingsPath, name_, def_.u.pd.value);
    return PF_Err_NONE;
}

} // namespace AEUtil
