// Build-tree paths handed to the tests as Unix paths, made usable by the program under test
// (under wine a Unix path is reached through drive Z:).
#pragma once

#include <string>

namespace lumora::test {

inline std::string hostPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        for (char &c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
#endif
    return path;
}

} // namespace lumora::test
