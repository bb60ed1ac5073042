// What the colour bar's handlers ask of the host: a redraw now, the colour picker, the limit
// message; and the conversions between flag bytes and the picker's float colours.
#pragma once

#include <optional>

#include "AE_EffectSuites.h"
#include "colorbar/data/GradientData.h"

namespace AEUtil {

class SuiteCache;

// A flag byte as the picker and the drawing see it: round(b * 32768 / 255) / 32768.
float byteToUnit(A_u_char b) noexcept;
// A picked channel as a flag byte: truncate(c * 255 + 0.5), c limited to 0..1 first so a
// picker that allows values beyond the display range cannot wrap a byte.
A_u_char unitToByte(float c) noexcept;
PF_PixelFloat flagColor(const ColorFlag &flag) noexcept; // alpha 1
void setFlagColor(ColorFlag &flag, const PF_PixelFloat &color) noexcept;

// Invalidates the whole context and asks for a draw when the event returns.
PF_Err redrawNow(SuiteCache &suites, PF_EventExtra *event);

// The host's colour picker titled `title`, starting at the colour of `sample`; `picked` stays
// empty when the user cancels, which is no error.
PF_Err pickColor(SuiteCache &suites, const char *title, const ColorFlag &sample, std::optional<PF_PixelFloat> &picked);

// "Lumora" and the 32-flag limit in the command's return message.
void setFlagLimitMessage(PF_OutData *out_data) noexcept;

// Clears the sorted mark of a list whose positions or length the control changed.
inline void markUnsorted(ColorFlagList &list) noexcept { list.flags &= ~kColorFlagListSorted; }

} // namespace AEUtil
