// Registration object of a popup menu parameter; its value is the 1-based menu position.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddPopup : public BaseParam {
public:
    // `choices` is the pipe-separated menu text ("(-" entries are separators and count).
    ParamAddPopup(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ, A_short numChoices,
                  A_short dephault, const char *choices);
    ~ParamAddPopup() override;

    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
    PF_Err saveDefault(PF_InData *in_data, const char *settingsPath) override;

    A_short numChoices() const noexcept { return num_choices_; }
    A_short builtinDefault() const noexcept { return default_; }
    const char *choices() const noexcept { return choices_; }

private:
    A_short num_choices_;
    A_short default_;
    const char *choices_;
};

} // namespace AEUtil
