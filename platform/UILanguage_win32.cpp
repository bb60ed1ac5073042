#include "platform/Native.h"

#include <windows.h>

namespace lumora::platform {

unsigned short nativeUserDefaultUILanguage() { return GetUserDefaultUILanguage(); }

} // namespace lumora::platform
