// The glow effect's filter: the framework filter plus the effect's own handlers and controls.
#pragma once

#include "host/BaseFilter.h"

namespace AEUtil {

class CustomFilter : public BaseFilter {
public:
    // Number formatting and parsing follow the user's locale from here on.
    CustomFilter();
    ~CustomFilter() override;
};

} // namespace AEUtil
