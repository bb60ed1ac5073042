#include "params/ParamAddPopup.h"

#include <cstring>

#include "params/ParamDefaults.h"

namespace AEUtil {

namespace {

// Item `position` (from 1) of "a|(-|b" is a separator line when it starts with "(-".
bool isSeparator(const char *choices, long position) {
    if (!choices)
        return false;
    const char *item = choices;
    for (long i = 1; i < position && item; ++i) {
        item = std::strchr(item, '|');
        if (item)
            ++item;
    }
    return item && std::strncmp(item, "(-", 2) == 0;
}

} // namespace

ParamAddPopup::ParamAddPopup(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                             A_short numChoices, A_short dephault, const char *choices)
    : BaseParam(valueOffset, valueWidth, name, templ), num_choices_(numChoices), default_(dephault), choices_(choices) {
}

ParamAddPopup::~ParamAddPopup() = default;

PF_Err ParamAddPopup::registerParam(PF_InData *in_data, A_long id, const char *settingsPath) {
    prepareDefinition(in_data, id, PF_Param_POPUP);
    // A stored position the menu does not have, or one of its separator lines, gives way to the
    // built-in default.
    const std::optional<long> stored = readStoredInt(settingsPath, name_);
    const bool usable = stored && *stored >= 1 && *stored <= num_choices_ && !isSeparator(choices_, *stored);
    const auto dephault = static_cast<A_short>(usable ? *stored : default_);
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
