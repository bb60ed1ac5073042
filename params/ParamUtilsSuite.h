// The "PF Param Utils Suite" in one face for both versions the effect uses, and the host
// release number that chooses between them.
#pragma once

#include "AE_Effect.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

// Release number of an After Effects effect API version: 13.2 -> 110, 13.1 -> 105, 13.0 -> 100,
// 12.14 -> 90, 12.13 -> 80, 12.12 -> 70, 12.11 -> 65, up to 12.10 (or major below 12) -> 0,
// any other version 9999.
A_long hostReleaseNumber(PF_SpecVersion version) noexcept;

// 2 on hosts whose release number is under 110, else 3.
int32_t paramUtilsSuiteVersion(PF_SpecVersion version) noexcept;

// Only the functions the effect calls are presented.
class ParamUtilsSuite {
public:
    // Acquires the version the host's release number calls for, else the other one; raises an
    // AEException (PF_Err_BAD_CALLBACK_PARAM) when the host offers neither. The suite is
    // released with `suites`.
    ParamUtilsSuite(PF_InData *in_data, SuiteCache &suites);

    int32_t version() const noexcept { return version_; }

    // Changes a parameter's look (enable state, name, ...) from a copy of its definition.
    PF_Err PF_UpdateParamUI(PF_ProgPtr effect_ref, PF_ParamIndex param_index, const PF_ParamDef *defP) const {
        return update_param_ui_(effect_ref, param_index, defP);
    }

private:
    int32_t version_ = 0;
    PF_Err (*update_param_ui_)(PF_ProgPtr, PF_ParamIndex, const PF_ParamDef *) = nullptr;
};

} // namespace AEUtil
