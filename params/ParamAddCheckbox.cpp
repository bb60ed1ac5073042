#include "params/ParamAddCheckbox.h"

#include "params/ParamDefaults.h"

namespace AEUtil {

ParamAddCheckbox::ParamAddCheckbox(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                                   const char *label, A_u_char dephault, PF_ParamFlags extraFlags)
    : BaseParam(valueOffset, valueWidth, name, templ), label_(label), default_(dephault), extra_flags_(extraFlags) {}

ParamAddCheckbox::~ParamAddCheckbox() = default;

PF_Err ParamAddCheckbox::registerParam(PF_InData *in_data, A_long id, const char *settingsPath) {
    prepareDefinition(in_data, id, PF_Param_CHECKBOX);
    const std::optional<long> stored = readStoredInt(settingsPath, name_);
    const int dephault = stored && (*stored == 0 || *stored == 1) ? static_cast<int>(*stored) : (default_ != 0 ? 1 : 0);
    def_.u.bd.value = dephault;
    def_.u.bd.dephault = static_cast<PF_Boolean>(dephault);
    def_.u.bd.u.nameptr = label_;
    def_.flags |= extra_flags_;
    return addToHost(in_data);
}

PF_Err ParamAddCheckbox::saveDefault(PF_InData *, const char *settingsPath) {
    writeDefaultInt(settingsPath, name_, def_.u.bd.value);
    return PF_Err_NONE;
}

} // namespace AEUtil
