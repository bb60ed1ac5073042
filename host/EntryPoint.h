// The module's one export, and the process-wide state behind it: the filter object and the
// list of pending errors that become a command's result when its handler itself succeeded.
#pragma once

#include "AE_Effect.h"

#if defined(_WIN32)
#define LUMORA_EXPORT __declspec(dllexport)
#else
#define LUMORA_EXPORT __attribute__((visibility("default")))
#endif

extern "C" LUMORA_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                               PF_ParamDef *params[], PF_LayerDef *output, void *extra);

namespace AEUtil {

// Records a code for the command being served; only the host's user-interface thread may call it.
void addPendingError(PF_Err code);

// Module detach: destroys what the module built for its lifetime.
void releaseModuleState() noexcept;

} // namespace AEUtil
