#include "colorbar/ArbProvider.h"

namespace AEUtil {

ArbProvider::~ArbProvider() { clear(); }

void ArbProvider::add(const SharedPtr<IArbBase> &face) {
    if (!face)
        return;
    faces_.push_back(face);
    face->setArbProvider(this);
}

void ArbProvider::clear() noexcept { releaseInOrder(faces_); }

PF_Err ArbProvider::dispatch(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                             PF_ArbParamsExtra *extra) {
    if (faces_.empty() || !extra)
        return PF_Err_NONE;
    switch (extra->which_function) {
#define LUMORA_ARB_CASE(selector, name)                                                                                \
    case selector: return name(in_data, out_data, params, extra);
        LUMORA_ARB_OPERATIONS(LUMORA_ARB_CASE)
#undef LUMORA_ARB_CASE
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

#define LUMORA_FORWARD_ARB(selector, name)                                                                             \
    LUMORA_ARB_OPERATION(ArbProvider::name) { return forMatching(&IArbBase::name, in_data, out_data, params, extra); }
LUMORA_ARB_OPERATIONS(LUMORA_FORWARD_ARB)
#undef LUMORA_FORWARD_ARB

} // namespace AEUtil
