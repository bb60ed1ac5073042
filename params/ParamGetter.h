// Parameter readers: how registration objects fetch a parameter's definition, from the host's
// checkout at a time or from a command's parameter array.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

class ParamGetter {
public:
    virtual ~ParamGetter() = default;
    // Fills `definition` for the parameter at that host index.
    virtual PF_Err get(A_long index, PF_ParamDef &definition) = 0;
    // Gives a fetched definition back.
    virtual PF_Err release(PF_ParamDef &definition) = 0;
    // True when callers must fetch into a temporary and not release it: shared registration
    // objects are then never written.
    virtual bool usesTemporaries() const noexcept = 0;
    // False when the parameter is greyed out in the host's controls.
    virtual bool isEnabled(A_long index) const noexcept = 0;
};

// Checks parameters out at the command's time. Without a parameter array every parameter
// counts as enabled.
class GetParamByCheckout final : public ParamGetter {
public:
    GetParamByCheckout(PF_InData *in_data, PF_ParamDef **params, bool temporaries) noexcept
        : in_data_(in_data), params_(params), temporaries_(temporaries ? 1 : 0) {}

    PF_Err get(A_long index, PF_ParamDef &definition) override;
    PF_Err release(PF_ParamDef &definition) override;
    bool usesTemporaries() const noexcept override { return temporaries_ != 0; }
    bool isEnabled(A_long index) const noexcept override;

private:
    PF_InData *in_data_;
    PF_ParamDef **params_;
    A_long temporaries_;
};

// Copies definitions from a command's parameter array; nothing to give back.
class GetParamFromArray final : public ParamGetter {
public:
    explicit GetParamFromArray(PF_ParamDef **params) noexcept : params_(params) {}

    PF_Err get(A_long index, PF_ParamDef &definition) override;
    PF_Err release(PF_ParamDef &) override { return PF_Err_NONE; }
    bool usesTemporaries() const noexcept override { return false; }
    bool isEnabled(A_long index) const noexcept override;

private:
    PF_ParamDef **params_;
};

} // namespace AEUtil
