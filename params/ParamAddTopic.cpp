#include "params/ParamAddTopic.h"

namespace AEUtil {

namespace {
const PF_ParamDef kEmptyDefinition{};
}

ParamAddTopic::ParamAddTopic(const char *name, const PF_ParamDef &templ) : BaseParam(0, 0, name, templ) {}

ParamAddTopic::~ParamAddTopic() = default;

PF_Err ParamAddTopic::registerParam(PF_InData *in_data, A_long id, const char *) {
    prepareDefinition(in_data, id, PF_Param_GROUP_START);
    return addToHost(in_data);
}

ParamEndTopic::ParamEndTopic() : BaseParam(0, 0, nullptr, kEmptyDefinition) {}

ParamEndTopic::~ParamEndTopic() = default;

PF_Err ParamEndTopic::registerParam(PF_InData *in_data, A_long id, const char *) {
    prepareDefinition(in_data, id, PF_Param_GROUP_END);
    return addToHost(in_data);
}

} // namespace AEUtil
