// Registration object of a colour parameter; its value is the four bytes of a PF_Pixel.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddColor : public BaseParam {
public:
    ParamAddColor(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ, PF_Pixel dephault);
    ~ParamAddColor() override;

    // Stored red, green and blue replace the built-in ones one by one; alpha is always 255.
    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
    PF_Err saveDefault(PF_InData *in_data, const char *settingsPath) override;

    PF_Pixel builtinDefault() const noexcept { return default_; }

private:
    PF_Pixel default_;
};

} // namespace AEUtil
