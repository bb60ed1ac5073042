#include "colorbar/ColorBarActions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/kit/SuiteCache.h"

namespace AEUtil {

float byteToUnit(A_u_char b) noexcept { return static_cast<float>(std::round(b * 32768.0 / 255.0) / 32768.0); }

A_u_char unitToByte(float c) noexcept {
    const double unit = std::isnan(c) ? 0.0 : std::clamp(static_cast<double>(c), 0.0, 1.0);
    return static_cast<A_u_char>(unit * 255.0 + 0.5);
}

PF_PixelFloat flagColor(const ColorFlag &flag) noexcept {
    return PF_PixelFloat{1.0f, byteToUnit(flag.red), byteToUnit(flag.green), byteToUnit(flag.blue)};
}

void setFlagColor(ColorFlag &flag, const PF_PixelFloat &color) noexcept {
    flag.red = unitToByte(color.red);
    flag.green = unitToByte(color.green);
    flag.blue = unitToByte(color.blue);
    flag.alpha = unitToByte(color.alpha);
}

PF_Err redrawNow(SuiteCache &suites, PF_EventExtra *event) {
    if (const PF_Err err = suites.appSuite4()->PF_InvalidateRect(event->contextH, nullptr))
        return err;
    event->evt_out_flags |= PF_EO_UPDATE_NOW;
    return PF_Err_NONE;
}

PF_Err pickColor(SuiteCache &suites, const char *title, const ColorFlag &sample, std::optional<PF_PixelFloat> &picked) {
    const PF_PixelFloat start = flagColor(sample);
    PF_PixelFloat result{};
    const PF_Err err = suites.appSuite4()->PF_AppColorPickerDialog(title, &start, false, &result);
    if (err == PF_Interrupt_CANCEL)
        return PF_Err_NONE;
    if (!err)
        picked = result;
    return err;
}

void setFlagLimitMessage(PF_OutData *out_data) noexcept {
    if (out_data)
        std::snprintf(out_data->return_msg, sizeof out_data->return_msg, "%s\r\n%s", "Lumora",
                      "Maximum number of colorflag exceeded.");
}

} // namespace AEUtil
