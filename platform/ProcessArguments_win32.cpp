#include "platform/Native.h"

#include <windows.h>
#include <shellapi.h>

namespace lumora::platform {

namespace {

std::string utf8(const wchar_t *text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

} // namespace

std::vector<std::string> nativeProcessArguments() {
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(utf8(arguments[i]));
    LocalFree(arguments);
    return result;
}

} // namespace lumora::platform
