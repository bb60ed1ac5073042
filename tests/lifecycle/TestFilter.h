// The framework filter on its own, as the lifecycle tests drive it: its render body records
// the settings it was given and answers with a chosen code.
#pragma once

#include <vector>

#include "host/BaseFilter.h"
#include "params/RenderSettings.h"

namespace lumora::test {

class TestFilter : public AEUtil::BaseFilter {
public:
    PF_Err renderBody(RenderSettings &settings) override {
        rendered.push_back(settings);
        return renderResult;
    }
    PF_Err beforeSmartRender(RenderSettings &settings) override {
        ++beforeSmartRenderCalls;
        settings.reserved2 = 0x5EED;
        return PF_Err_NONE;
    }

    std::vector<RenderSettings> rendered;
    PF_Err renderResult = PF_Err_NONE;
    int beforeSmartRenderCalls = 0;
};

} // namespace lumora::test
