// The colours the host's interface is drawn in: what the App suite and the overlay theme suite
// report to a custom UI. The defaults resemble the compositing host's dark effect panel.
#pragma once

#include <array>
#include <map>

#include "AE_EffectSuites.h"
#include "DrawbotSuite.h"

namespace embedhost {

struct HostTheme {
    // The panel background, 16 bits per channel (#232323).
    std::array<A_u_short, 3> background{0x2323, 0x2323, 0x2323};
    // Overlay colours: near-white lines over a half-transparent black shadow.
    DRAWBOT_ColorRGBA foreground{0.9f, 0.9f, 0.9f, 1.0f};
    DRAWBOT_ColorRGBA shadow{0.0f, 0.0f, 0.0f, 0.5f};
    // PF_AppGetColor by colour number; a number missing here is not offered. 55 is the
    // highlight blue (#2D8CEB).
    std::map<PF_App_ColorType, PF_App_Color> appColors{{55, PF_App_Color{0x2D2D, 0x8C8C, 0xEBEB}}};
};

} // namespace embedhost
