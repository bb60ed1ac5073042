#include "params/ParamAddFloatSlider.h"

#include <algorithm>

#include "params/ParamDefaults.h"

namespace AEUtil {

namespace {
constexpr PF_FpShort kCurveTolerance = 0.05f;
}

ParamAddFloatSlider::ParamAddFloatSlider(A_long valueOffset, A_long valueWidth, const char *name,
                                         const PF_ParamDef &templ, const FloatSliderRange &range, PF_FpShort dephault,
                                         A_short precision, A_short displayFlags, bool wantPhase)
    : BaseParam(valueOffset, valueWidth, name, templ), range_(range), default_(dephault), precision_(precision),
      display_flags_(displayFlags), want_phase_(wantPhase ? 1 : 0) {}

ParamAddFloatSlider::~ParamAddFloatSlider() = default;

PF_Err ParamAddFloatSlider::registerParam(PF_InData *in_data, A_long id, const char *settingsPath) {
    prepareDefinition(in_data, id, PF_Param_FLOAT_SLIDER);
    // A stored default the host would refuse (outside the valid range) or that is no plain
    // number gives way to the built-in one, so it can never stop the effect from being applied.
    const std::optional<double> stored = readStoredFloat(settingsPath, name_);
    const bool usable = stored && *stored >= range_.validMin && *stored <= range_.validMax;
    const double dephault = usable ? *stored : default_;
    PF_FloatSliderDef &fs = def_.u.fs_d;
    fs.valid_min = range_.validMin;
    fs.valid_max = range_.validMax;
    fs.slider_min = range_.sliderMin;
    fs.slider_max = range_.sliderMax;
    fs.precision = precision_;
    fs.display_flags = display_flags_;
    fs.value = dephault;
    fs.dephault = static_cast<PF_FpShort>(dephault);
    fs.fs_flags = want_phase_ ? PF_FSliderFlag_WANT_PHASE : PF_FSliderFlag_NONE;
    fs.curve_tolerance = kCurveTolerance;
    return addToHost(in_data);
}

PF_Err ParamAddFloatSlider::saveDefault(PF_InData *, const char *settingsPath) {
    writeDefaultFloat(settingsPath, name_, def_.u.fs_d.value);
    return PF_Err_NONE;
}

} // namespace AEUtil
