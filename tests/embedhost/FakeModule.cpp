// A minimal effect module for the loader tests: counts its calls in module statics and
// reports the instance handle the host gives it next to the one it really has.
#include "AE_Effect.h"
#include "AE_EffectCB.h"

#ifdef _WIN32
#include <windows.h>
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

A_long gCalls = 0;

void *ownModule() {
#ifdef _WIN32
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&gCalls), &module);
    return module;
#else
    Dl_info info{};
    return dladdr(&gCalls, &info) ? info.dli_fbase : nullptr;
#endif
}

} // namespace

struct FakeModuleReport {
    void *reported; // PF_PlatData_RES_DLLINSTANCE as the host answers it
    void *actual;   // the module this code runs in
};

FAKE_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *[], PF_LayerDef *,
                                  void *extra) {
    ++gCalls;
    out->my_version = static_cast<A_u_long>(gCalls);
    if (cmd == PF_Cmd_ABOUT && extra) {
        auto *report = static_cast<FakeModuleReport *>(extra);
        report->actual = ownModule();
        return in->utils->get_platform_data(in->effect_ref, PF_PlatData_RES_DLLINSTANCE, &report->reported);
    }
    return PF_Err_NONE;
}
