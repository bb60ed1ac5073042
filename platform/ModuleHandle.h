// The plug-in module's own instance handle, recorded when the module is attached to the process.
#pragma once

namespace lumora::platform {

// HINSTANCE on Windows; on other systems the base address of the module (from dladdr).
void *moduleHandle();
void setModuleHandle(void *handle);

// Finds the handle of the module that contains `address`; null when it cannot be told.
void *moduleContaining(const void *address);

} // namespace lumora::platform
