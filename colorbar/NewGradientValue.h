// The value an arbitrary-data callback makes for the host: a new handle holding the control's
// default, made through the call's handle suite and disposed on every path unless handed out.
#pragma once

#include "colorbar/data/GradientData.h"
#include "host/kit/HandleLock.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

class GradColorPresetUI;

class NewGradientValue {
public:
    // Acquires the handle suite; raises the integer error PF_Err_BAD_CALLBACK_PARAM without it.
    explicit NewGradientValue(PF_InData *in_data);

    // The errors of newGradientHandle, and then no handle is held.
    PF_Err makeDefault(const GradColorPresetUI &control) noexcept;

    const PF_HandleSuite1 *handleSuite() const noexcept { return suite_; }
    PF_Handle handle() const noexcept { return owned_.get(); }
    // Writes `data` into the handle and gives it away through `out`; on failure it is kept
    // here and disposed.
    PF_Err handOut(const GradientData &data, PF_Handle *out) noexcept;
    // Gives the handle away as it is.
    PF_Handle release() noexcept { return owned_.release(); }

private:
    SuiteCache suites_;
    const PF_HandleSuite1 *suite_;
    // Declared last: disposed before the suites are released.
    OwnedHandle owned_;
};

} // namespace AEUtil
