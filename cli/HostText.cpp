#include "cli/HostText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <vector>

namespace lumora::cli {

namespace {

std::string fromCodePage932(const std::string &text) {
#ifdef _WIN32
    const int wide = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0)
        return text;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), buffer.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
#else
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out;
    std::vector<char> in(text.begin(), text.end());
    char *src = in.data();
    std::size_t left = in.size();
    char chunk[256];
    while (left > 0) {
        char *dst = chunk;
        std::size_t room = sizeof chunk;
        const std::size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(chunk, static_cast<std::size_t>(dst - chunk));
        if (r == static_cast<std::size_t>(-1) && room == sizeof chunk) {
            // Not convertible here (and not a full output buffer): show it and move on.
            out.push_back('?');
            ++src;
            --left;
        }
    }
    iconv_close(cd);
    return out;
#endif
}

} // namespace

std::string hostTextForDisplay(const std::string &text) {
    std::string converted = text;
    bool ascii = true;
    for (char &c : converted) {
        if (c == '\r')
            c = '\n';
        if (static_cast<unsigned char>(c) >= 0x80)
            ascii = false;
    }
    return ascii ? converted : fromCodePage932(converted);
}

} // namespace lumora::cli
