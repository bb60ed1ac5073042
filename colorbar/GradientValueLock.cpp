#include "colorbar/GradientValueLock.h"

namespace AEUtil {

GradientValueLock::GradientValueLock(const PF_HandleSuite1 *suite, PF_ParamDef *params[], A_long index) noexcept
    : suite_(suite) {
    if (!suite || !params || index < 0)
        return;
    PF_ParamDef *p = params[index];
    if (!p || p->param_type != PF_Param_ARBITRARY_DATA ||
        reinterpret_cast<std::uintptr_t>(p->u.arb_d.refconPV) != kGradientRefcon)
        return;
    const PF_Handle h = p->u.arb_d.value;
    // A value shorter than the record would be read past its end.
    if (!h || suite->host_get_handle_size(h) < kGradientDataSize)
        return;
    data_ = static_cast<GradientData *>(suite->host_lock_handle(h));
    if (!data_)
        return;
    param_ = p;
    // A name that fills its field without a terminator is cut at the field's end.
    data_->presetName[kGradientNameSize - 1] = '\0';
}

GradientValueLock::~GradientValueLock() {
    if (data_)
        suite_->host_unlock_handle(param_->u.arb_d.value);
}

void GradientValueLock::markChanged() noexcept {
    if (param_)
        param_->uu.change_flags |= PF_ChangeFlag_CHANGED_VALUE;
}

} // namespace AEUtil
