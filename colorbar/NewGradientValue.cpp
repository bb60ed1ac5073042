#include "colorbar/NewGradientValue.h"

#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientHandle.h"

namespace AEUtil {

NewGradientValue::NewGradientValue(PF_InData *in_data)
    : suites_(in_data->pica_basicP), suite_(suites_.handleSuite()), owned_(suite_, nullptr) {}

PF_Err NewGradientValue::makeDefault(const GradColorPresetUI &control) noexcept {
    GradientData data;
    control.makeDefaultValue(data);
    PF_Handle made = nullptr;
    if (const PF_Err err = newGradientHandle(suite_, data, &made))
        return err;
    owned_.reset(made);
    return PF_Err_NONE;
}

PF_Err NewGradientValue::handOut(const GradientData &data, PF_Handle *out) noexcept {
    if (const PF_Err err = writeGradient(suite_, owned_.get(), data))
        return err;
    *out = owned_.release();
    return PF_Err_NONE;
}

} // namespace AEUtil
