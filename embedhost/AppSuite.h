// "PF AE App Suite" as the host offers it, versions 6 (PFAppSuite4) and 7 (PFAppSuite5): the
// interface language and render-engine query from the host profile, the background and
// application colours from the host theme, and for an open effect panel (CustomUi) the colour
// picker, redraw requests and the conversion of panel points to the screen.
#pragma once

#include "AE_EffectSuites.h"

namespace embedhost {

// The suite's other functions, and PF_AppGetColor for a colour number the theme lacks, are not
// offered: they answer PF_Err_INVALID_CALLBACK and are counted in Interaction::unsupportedCalls
// under their SDK names.
class AppSuite {
public:
    AppSuite();
    const PFAppSuite4 *suite4() const { return &suite4_; }
    const PFAppSuite5 *suite5() const { return &suite5_; }

private:
    PFAppSuite4 suite4_{};
    PFAppSuite5 suite5_{};
};

} // namespace embedhost
