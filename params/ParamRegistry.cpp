#include "params/ParamRegistry.h"

namespace AEUtil {

namespace {
int g_build_count = 0;
}

void buildParamRegistry(PF_InData *) {
    // The glow parameter table joins the registry with the parameter layer.
    ++g_build_count;
}

void releaseParamRegistry() noexcept {}

int paramRegistryBuildCount() noexcept { return g_build_count; }

} // namespace AEUtil
