#include "platform/Native.h"

#include <fstream>
#include <iterator>

namespace lumora::platform {

std::vector<std::string> nativeProcessArguments() {
    // Linux keeps the arguments as NUL-terminated texts; other systems have no such file.
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> arguments;
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        arguments.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return arguments;
}

} // namespace lumora::platform
