// The system's own answers, before the overrides of Environment.h: one definition per system in
// the *_win32.cpp and *_posix.cpp files.
#pragma once

#include <string>
#include <vector>

namespace lumora::platform {

std::string nativeApplicationDataFolder();
std::string nativeSharedDocumentsFolder();
bool nativeShiftKeyHeld();
unsigned short nativeUserDefaultUILanguage();
std::vector<std::string> nativeProcessArguments();

} // namespace lumora::platform
