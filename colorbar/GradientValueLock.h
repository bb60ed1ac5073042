// The colour bar's value, locked in place in the parameter's handle for the length of one event
// and unlocked on every path; edits are reported to the host as a changed value.
#pragma once

#include "AE_EffectCBSuites.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

class GradientValueLock {
public:
    // Locks params[index] when it is the gradient value (arbitrary data with the gradient's
    // refcon, a handle of the whole record); otherwise the lock stays empty.
    GradientValueLock(const PF_HandleSuite1 *suite, PF_ParamDef *params[], A_long index) noexcept;
    ~GradientValueLock();
    GradientValueLock(const GradientValueLock &) = delete;
    GradientValueLock &operator=(const GradientValueLock &) = delete;

    explicit operator bool() const noexcept { return data_ != nullptr; }
    GradientData &value() const noexcept { return *data_; }
    // Sets PF_ChangeFlag_CHANGED_VALUE on the parameter so the host stores the new value.
    void markChanged() noexcept;

private:
    const PF_HandleSuite1 *suite_;
    PF_ParamDef *param_ = nullptr;
    GradientData *data_ = nullptr;
};

} // namespace AEUtil
