#include "host/kit/AEException.h"

#include <cstdarg>
#include <cstdio>

namespace AEUtil {

namespace {
constexpr std::size_t kMessageBufferSize = 2048;
}

std::string formatSourceMessage(const char *source_file, int line, const char *format, va_list args) {
    char buffer[kMessageBufferSize];
    std::snprintf(buffer, sizeof buffer, "%s(%d): ", source_file ? source_file : "", line);
    std::string message(buffer);
    if (format) {
        std::vsnprintf(buffer, sizeof buffer, format, args);
        message += buffer;
    }
    return message;
}

AEException::AEException(PF_Err code, int line, const char *source_file, const char *format, ...) : code_(code) {
    va_list args;
    va_start(args, format);
    message_ = formatSourceMessage(source_file, line, format, args);
    va_end(args);
}

AEException::~AEException() = default;

const char *AEException::what() const noexcept {
    // Refreshed on every call so a subclass that edits message() is reported as it stands.
    try {
        what_ = message();
    } catch (...) {
        return "AEException";
    }
    return what_.c_str();
}

const std::string &AEException::message() const noexcept { return message_; }

Win32Exception::Win32Exception(unsigned long code, const char *source_file, int line, const char *format, ...)
    : code_(code) {
    va_list args;
    va_start(args, format);
    message_ = formatSourceMessage(source_file, line, format, args);
    va_end(args);
}

Win32Exception::~Win32Exception() = default;

const char *Win32Exception::what() const noexcept { return message_.c_str(); }

} // namespace AEUtil
