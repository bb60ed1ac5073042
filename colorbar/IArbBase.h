// The arbitrary-data face of a control: the refcon it owns and one operation per host
// arbitrary-data selector, in selector order.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

namespace AEUtil {

class ArbProvider;

class IArbBase {
public:
    // The parameter refcon this face serves; 0 serves every refcon.
    virtual std::uintptr_t refcon() const = 0;

    virtual PF_Err newFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                           PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err disposeFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                               PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err copyFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                            PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err flatSizeFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err flattenFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                               PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err unflattenFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                 PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err interpFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                              PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err compareFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                               PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err printSizeFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                 PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err printFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                             PF_ArbParamsExtra *extra) = 0;
    virtual PF_Err scanFunc(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                            PF_ArbParamsExtra *extra) = 0;

    ArbProvider *arbProvider() const noexcept { return provider_; }
    void setArbProvider(ArbProvider *provider) noexcept { provider_ = provider; }

protected:
    IArbBase() = default;
    IArbBase(const IArbBase &) = delete;
    IArbBase &operator=(const IArbBase &) = delete;
    // Faces are released through the owning control's shared count, never through this base.
    ~IArbBase() = default;

private:
    ArbProvider *provider_ = nullptr;
};

} // namespace AEUtil
