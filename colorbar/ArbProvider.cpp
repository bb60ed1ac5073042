#include "colorbar/ArbProvider.h"

namespace AEUtil {

ArbProvider::~ArbProvider() { clear(); }

void ArbProvider::add(const SharedPtr<IArbBase> &face) {
    if (!face)
        return;
    faces_.push_back(face);
    face->setArbProvider(this);
}

void ArbProvider::clear() noexcept {
    for (SharedPtr<IArbBase> &f : faces_)
        f.reset();
    faces_.clear();
}

PF_Err ArbProvider::dispatch(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                             PF_ArbParamsExtra *extra) {
    if (faces_.empty() || !extra)
        return PF_Err_NONE;
    switch (extra->which_function) {
    case PF_Arbitrary_NEW_FUNC: return newFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_DISPOSE_FUNC: return disposeFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_COPY_FUNC: return copyFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_FLAT_SIZE_FUNC: return flatSizeFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_FLATTEN_FUNC: return flattenFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_UNFLATTEN_FUNC: return unflattenFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_INTERP_FUNC: return interpFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_COMPARE_FUNC: return compareFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_PRINT_SIZE_FUNC: return printSizeFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_PRINT_FUNC: return printFunc(in_data, out_data, params, extra);
    case PF_Arbitrary_SCAN_FUNC: return scanFunc(in_data, out_data, params, extra);
    default: return PF_Err_NONE;
    }
}

PF_Err ArbProvider::forMatching(Operation op, PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                PF_ArbParamsExtra *extra) {
    // Every selector's record starts with the refcon, so any of them reads it.
    const auto wanted = reinterpret_cast<std::uintptr_t>(extra->u.new_func_params.refconPV);
    bool matched = false;
    PF_Err result = PF_Err_NONE;
    for (const SharedPtr<IArbBase> &f : faces_) {
        const std::uintptr_t own = f->refcon();
        if (own != 0 && own != wanted)
            continue;
        matched = true;
        result = ((*f).*op)(in_data, out_data, params, extra);
        if (result != PF_Err_NONE)
            break;
    }
    return matched ? result : PF_Err_UNRECOGNIZED_PARAM_TYPE;
}

#define LUMORA_FORWARD_ARB(name)                                                                                       \
    PF_Err ArbProvider::name(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],                          \
                             PF_ArbParamsExtra *extra) {                                                               \
        return forMatching(&IArbBase::name, in_data, out_data, params, extra);                                         \
    }

LUMORA_FORWARD_ARB(newFunc)
LUMORA_FORWARD_ARB(disposeFunc)
LUMORA_FORWARD_ARB(copyFunc)
LUMORA_FORWARD_ARB(flatSizeFunc)
LUMORA_FORWARD_ARB(flattenFunc)
LUMORA_FORWARD_ARB(unflattenFunc)
LUMORA_FORWARD_ARB(interpFunc)
LUMORA_FORWARD_ARB(compareFunc)
LUMORA_FORWARD_ARB(printSizeFunc)
LUMORA_FORWARD_ARB(printFunc)
LUMORA_FORWARD_ARB(scanFunc)

#undef LUMORA_FORWARD_ARB

} // namespace AEUtil
