// "PF AE App Suite" as the host offers it (version 7, the layout PFAppSuite5): the interface
// language, the panel background colour and the render-engine query, from the host profile.
#pragma once

#include "AE_EffectSuites.h"

namespace embedhost {

// The suite's other functions are not offered: they answer PF_Err_INVALID_CALLBACK and are
// counted in Interaction::unsupportedCalls under their SDK names.
class AppSuite {
public:
    AppSuite();
    const PFAppSuite5 *suite5() const { return &suite5_; }

private:
    PFAppSuite5 suite5_{};
};

} // namespace embedhost
