#include "colorbar/CUISubscriber.h"

#include <algorithm>

namespace AEUtil {

CUISubscriber::~CUISubscriber() = default;

bool CUISubscriber::accepts(const PF_EventExtra *) const { return true; }

std::size_t CUISubscriber::contextStorageSize() const { return 0; }

void CUISubscriber::setUpContext(PF_EventExtra *) {}

void CUISubscriber::tearDownContext(PF_EventExtra *) {}

bool CUISubscriber::serves(A_long index) const noexcept {
    return std::find(servedIndices_.begin(), servedIndices_.end(), index) != servedIndices_.end();
}

void CUISubscriber::addServedIndex(A_long index) {
    if (!serves(index))
        servedIndices_.push_back(index);
}

#define LUMORA_IGNORE_EVENT(type, name)                                                                                \
    PF_Err CUISubscriber::name(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *) {           \
        return PF_Err_NONE;                                                                                            \
    }

LUMORA_EVENT_OPERATIONS(LUMORA_IGNORE_EVENT)
#undef LUMORA_IGNORE_EVENT

} // namespace AEUtil
