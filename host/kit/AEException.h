// Exceptions that carry a host error code (or a Windows error code) and a message
// prefixed with the source file and line that raised it.
#pragma once

#include <cstdarg>
#include <exception>
#include <string>

#include "AE_Effect.h"

namespace AEUtil {

class AEException : public std::exception {
public:
    // Message: "<source_file>(<line>): " followed by the printf-style text.
    AEException(PF_Err code, int line, const char *source_file, const char *format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 5, 6)))
#endif
        ;
    ~AEException() override;

    const char *what() const noexcept override;
    virtual const std::string &message() const noexcept;

    PF_Err code() const noexcept { return code_; }

private:
    PF_Err code_;
    std::string message_;
    mutable std::string what_;
};

class Win32Exception : public std::exception {
public:
    Win32Exception(unsigned long code, const char *source_file, int line, const char *format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 5, 6)))
#endif
        ;
    ~Win32Exception() override;

    const char *what() const noexcept override;

    unsigned long code() const noexcept { return code_; }

private:
    unsigned long code_;
    std::string message_;
};

// Both builders share this: "%s(%d): " then the caller's text, each bounded by 2048 bytes.
std::string formatSourceMessage(const char *source_file, int line, const char *format, va_list args);

} // namespace AEUtil

#define AE_THROW(code, ...) throw ::AEUtil::AEException((code), __LINE__, __FILE__, __VA_ARGS__)
