// Reads resource PIPL 16000 of a module loaded in this process through the Windows resource API,
// the way the host finds it.
#ifdef _WIN32

#include <windows.h>

#include "embedhost/pipl/FormatError.h"
#include "embedhost/pipl/ModuleFile.h"

namespace lumora::pipl {

std::vector<unsigned char> piplFromLoadedModule(void *module) {
    const auto handle = static_cast<HMODULE>(module);
    HRSRC resource = FindResourceA(handle, MAKEINTRESOURCEA(kPiPLResourceId), kPiPLResourceType);
    if (!resource)
        fail("no PIPL resource 16000 in the loaded module (error %lu)", GetLastError());
    HGLOBAL loaded = LoadResource(handle, resource);
    const DWORD size = SizeofResource(handle, resource);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        fail("cannot load resource PIPL 16000 (error %lu)", GetLastError());
    const auto *bytes = static_cast<const unsigned char *>(data);
    return {bytes, bytes + size};
}

} // namespace lumora::pipl

#endif
