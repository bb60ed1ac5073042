// Registration objects that open and close a parameter group in the host's controls.
#pragma once

#include "params/BaseParam.h"

namespace AEUtil {

class ParamAddTopic : public BaseParam {
public:
    ParamAddTopic(const char *name, const PF_ParamDef &templ);
    ~ParamAddTopic() override;
    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
};

// Closes the group opened last; it has no name and no flags.
class ParamEndTopic : public BaseParam {
public:
    ParamEndTopic();
    ~ParamEndTopic() override;
    PF_Err registerParam(PF_InData *in_data, A_long id, const char *settingsPath) override;
};

} // namespace AEUtil
