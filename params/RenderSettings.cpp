#include "params/RenderSettings.h"

#include <cstring>

namespace AEUtil {

void initRenderSettings(RenderSettings &settings) noexcept {
    std::memset(&settings, 0, sizeof settings);
    settings.glowIntensity = 1.5;
    settings.view = 1;
    settings.blendMode = 1;
    settings.glowType = 1;
    settings.inputChannel = 1;
    settings.reserved0 = 1;
    settings.reserved1 = 1;
    settings.pixelFormat = PF_PixelFormat_INVALID;
}

} // namespace AEUtil
