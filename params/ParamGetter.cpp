#include "params/ParamGetter.h"

#include <cstring>

namespace AEUtil {

namespace {

bool enabledIn(PF_ParamDef **params, A_long index) noexcept { return (params[index]->ui_flags & PF_PUI_DISABLED) == 0; }

} // namespace

PF_Err GetParamByCheckout::get(A_long index, PF_ParamDef &definition) {
    PF_Err err = in_data_->inter.checkout_param(in_data_->effect_ref, index, in_data_->current_time,
                                                in_data_->time_step, in_data_->time_scale, &definition);
    if (err != PF_Err_NONE)
        std::memset(&definition, 0, sizeof definition);
    return err;
}

PF_Err GetParamByCheckout::release(PF_ParamDef &definition) {
    return in_data_->inter.checkin_param(in_data_->effect_ref, &definition);
}

bool GetParamByCheckout::isEnabled(A_long index) const noexcept {
    return params_ == nullptr || enabledIn(params_, index);
}

PF_Err GetParamFromArray::get(A_long index, PF_ParamDef &definition) {
    definition = *params_[index];
    return PF_Err_NONE;
}

bool GetParamFromArray::isEnabled(A_long index) const noexcept { return enabledIn(params_, index); }

} // namespace AEUtil
