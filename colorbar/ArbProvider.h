// Receives every arbitrary-data callback of the filter and hands it to the face that owns the
// parameter's refcon.
#pragma once

#include <cstddef>
#include <vector>

#include "colorbar/IArbBase.h"
#include "host/kit/SharedPtr.h"

namespace AEUtil {

class ArbProvider : public IArbBase {
public:
    ArbProvider() = default;
    ~ArbProvider();

    // Appends the face (a pointer sharing its control's count) and points its back pointer here.
    void add(const SharedPtr<IArbBase> &face);
    // Releases every face in list order.
    void clear() noexcept;
    std::size_t faceCount() const noexcept { return faces_.size(); }

    // PF_Cmd_ARBITRARY_CALLBACK: runs the operation of the extra's selector.
    PF_Err dispatch(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_ArbParamsExtra *extra);

    std::uintptr_t refcon() const override { return 0; }
    LUMORA_ARB_OPERATIONS(LUMORA_OVERRIDE_ARB_OPERATION)

private:
    using Operation = PF_Err (IArbBase::*)(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *);
    // Calls `op` on every face whose refcon matches, while the result stays PF_Err_NONE;
    // PF_Err_UNRECOGNIZED_PARAM_TYPE when none matches.
    PF_Err forMatching(Operation op, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                       PF_ArbParamsExtra *extra);

    std::vector<SharedPtr<IArbBase>> faces_;
};

} // namespace AEUtil
