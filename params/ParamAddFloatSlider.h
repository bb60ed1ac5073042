// Registration object of a floating-point slider; the host keeps its value as a double and
// its default as a float.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

struct FloatSliderRange {
    PF_FpShort validMin, validMax;
    PF_FpShort sliderMin, sliderMax;
};

class ParamAddFloatSlider : public BaseParam {
public:
    ParamAddFloatSlider(A_long valueOffset, A_long valueWidth, const char *name, const PF_ParamDef &templ,
                        const FloatSliderRange &range, PF_FpShort dephault, A_short precision, A_short displayFlags,
                        bool wantPhase);
    ~ParamAddFloatSlider() override;

    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
    PF_Err saveDefault(PF_InData *in_data, const char *settingsPath) override;

    const FloatSliderRange &range() const noexcept { return range_; }
    PF_FpShort builtinDefault() const noexcept { return default_; }
    A_short precision() const noexcept { return precision_; }
    A_short displayFlags() const noexcept { return display_flags_; }

private:
    FloatSliderRange range_;
    PF_FpShort default_;
    A_short precision_;
    A_short display_flags_;
    A_long want_phase_;
};

} // namespace AEUtil
