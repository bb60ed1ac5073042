// The arbitrary-data face of a control: the refcon it owns and one operation per host
// arbitrary-data selector, in selector order.
#pragma once

#include <cstdint>

#include "AE_Effect.h"

// Each host selector with the operation that serves it, in selector order: X(selector, name).
#define LUMORA_ARB_OPERATIONS(X)                                                                                       \
    X(PF_Arbitrary_NEW_FUNC, newFunc)                                                                                  \
    X(PF_Arbitrary_DISPOSE_FUNC, disposeFunc)                                                                          \
    X(PF_Arbitrary_COPY_FUNC, copyFunc)                                                                                \
    X(PF_Arbitrary_FLAT_SIZE_FUNC, flatSizeFunc)                                                                       \
    X(PF_Arbitrary_FLATTEN_FUNC, flattenFunc)                                                                          \
    X(PF_Arbitrary_UNFLATTEN_FUNC, unflattenFunc)                                                                      \
    X(PF_Arbitrary_INTERP_FUNC, interpFunc)                                                                            \
    X(PF_Arbitrary_COMPARE_FUNC, compareFunc)                                                                          \
    X(PF_Arbitrary_PRINT_SIZE_FUNC, printSizeFunc)                                                                     \
    X(PF_Arbitrary_PRINT_FUNC, printFunc)                                                                              \
    X(PF_Arbitrary_SCAN_FUNC, scanFunc)

// Every operation takes the command's in-data, out-data and params and the selector's record.
#define LUMORA_ARB_OPERATION(name)                                                                                     \
    PF_Err name(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[], PF_ArbParamsExtra *extra)
// For a face's class body: LUMORA_ARB_OPERATIONS(LUMORA_OVERRIDE_ARB_OPERATION).
#define LUMORA_OVERRIDE_ARB_OPERATION(selector, name) LUMORA_ARB_OPERATION(name) override;

namespace AEUtil {

class ArbProvider;

class IArbBase {
public:
    // The parameter refcon this face serves; 0 serves every refcon.
    virtual std::uintptr_t refcon() const = 0;

#define LUMORA_PURE_ARB_OPERATION(selector, name) virtual LUMORA_ARB_OPERATION(name) = 0;
    LUMORA_ARB_OPERATIONS(LUMORA_PURE_ARB_OPERATION)
#undef LUMORA_PURE_ARB_OPERATION

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
