// The effect's parameter registration objects, built once per module lifetime on the first
// command and deleted when the module is unloaded.
#pragma once

#include "AE_Effect.h"

namespace AEUtil {

void buildParamRegistry(PF_InData *in_data);
void releaseParamRegistry() noexcept;

// How many times the registry was built in this module's lifetime (1 after the first command).
int paramRegistryBuildCount() noexcept;

} // namespace AEUtil
