// The glow effect's filter: the framework filter plus the effect's own handlers and controls.
#pragma once

#include "host/BaseFilter.h"

namespace AEUtil {

class GradColorPresetUI;

class CustomFilter : public BaseFilter {
public:
    // Number formatting and parsing follow the user's locale from here on.
    CustomFilter();
    ~CustomFilter() override;

    // Registers the glow parameters and the custom UI (host/ParamsSetup.cpp).
    PF_Err paramsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_LayerDef *output) override;

    // The colour bar control, created with the filter; the parameter table registers its
    // arbitrary parameter through it.
    GradColorPresetUI &colorBar() const;
};

} // namespace AEUtil
