// Registration object of a checkbox parameter; its value is 0 or 1.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddCheckbox : public BaseParam {
public:
    // `extraFlags` are OR-ed into the definition's parameter flags at registration.
    ParamAddCheckbox(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                     const char *label, A_u_char dephault, PF_ParamFlags extraFlags);
    ~ParamAddCheckbox() override;

    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
    PF_Err saveDefault(PF_InData *in_data, const char *settingsPath) override;

    const char *label() const noexcept { return label_; }
    A_u_char builtinDefault() const noexcept { return default_; }

private:
    const char *label_;
    A_u_char default_;
    PF_ParamFlags extra_flags_;
};

} // namespace AEUtil
