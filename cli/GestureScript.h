// The gestures a person makes on the colour bar, one a line, for `lumora panel --gestures`:
//
//   click X,Y [ctrl] [shift] [caps] [alt]   press and release at one point
//   double-click X,Y [modifiers]            a click, then a second one counted as a double click
//   drag X,Y X,Y [X,Y ...] [modifiers]      press at the first point, move through the others,
//                                           release at the last
//   hold X,Y X,Y [X,Y ...] [modifiers]      the same, the button still held: the next gesture
//                                           (or the end, after the picture) releases it
//   hover X,Y                               the mouse over a point, no button held
//   pick #rrggbb | pick cancel              the colour picker's next answer
//   choose NAME | dismiss                   the preset menu's next answer: the item NAME, or none
//   type NAME | cancel                      the "Preset Name" prompt's next answer
//
// Points are panel pixels (0,0 the control's top-left corner); lines starting with '#' are
// comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AE_EffectUI.h"

namespace lumora::cli {

struct Gesture {
    enum class Kind { Click, DoubleClick, Drag, Hold, Hover, Pick, Choose, Type };
    Kind kind;
    std::vector<PF_Point> points; // Click, DoubleClick, Hover: one; Drag: two or more
    PF_Modifiers modifiers = PF_Mod_NONE;
    std::optional<PF_Pixel> color;   // Pick: none means cancel
    std::optional<std::string> text; // Choose: the item (none: dismiss); Type: the name (none: cancel)
    int line = 0;                    // where the script says it, for messages
};

// Throws UsageError naming `source` and the line at fault.
std::vector<Gesture> parseGestures(std::string_view script, std::string_view source);

} // namespace lumora::cli
