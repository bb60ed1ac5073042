#include "platform/ModuleHandle.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lumora::platform {

namespace {
std::atomic<void *> g_module{nullptr};
}

void *moduleHandle() { return g_module.load(); }

void setModuleHandle(void *handle) { g_module.store(handle); }

void *moduleContaining(const void *address) {
#ifdef _WIN32
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module))
        return nullptr;
    return module;
#else
    Dl_info info{};
    if (!dladdr(address, &info))
        return nullptr;
    return info.dli_fbase;
#endif
}

} // namespace lumora::platform
