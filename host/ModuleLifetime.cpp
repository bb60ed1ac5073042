// Module attach and detach: records the module handle, and releases the module-lifetime state
// when the host unloads the module.
#include "host/EntryPoint.h"
#include "platform/ModuleHandle.h"

#ifdef _WIN32
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        lumora::platform::setModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        AEUtil::releaseModuleState();
    }
    return TRUE;
}

#else

namespace {

__attribute__((constructor)) void onModuleAttach() {
    lumora::platform::setModuleHandle(
        lumora::platform::moduleContaining(reinterpret_cast<const void *>(&onModuleAttach)));
}

__attribute__((destructor)) void onModuleDetach() { AEUtil::releaseModuleState(); }

} // namespace

#endif
