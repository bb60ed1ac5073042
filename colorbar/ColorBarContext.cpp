#include "colorbar/ColorBarContext.h"

#include <cstring>

namespace AEUtil {

void initColorBarContext(ColorBarContext &context) noexcept {
    std::memset(&context, 0, sizeof context);
    context.hoverButton = -1;
    initColorFlagList(context.snapshot);
    context.hoverFlag = -1;
    context.pendingToggle = -1;
    context.barWidth = kMinBarWidth;
}

} // namespace AEUtil
