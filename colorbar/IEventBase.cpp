#include "colorbar/IEventBase.h"

namespace AEUtil {

IEventBase::~IEventBase() = default;

void *IEventBase::contextBlock(const PF_EventExtra *event) const noexcept {
    if (!event || !event->contextH || !*event->contextH || contextOffset_ < 0)
        return nullptr;
    const A_intptr_t block = (*event->contextH)->plugin_state[0];
    if (block == 0)
        return nullptr;
    return reinterpret_cast<unsigned char *>(block) + contextOffset_;
}

} // namespace AEUtil
