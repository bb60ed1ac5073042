#include "tests/params/CommaLocale.h"

#include <clocale>
#include <cstdlib>
#include <string>

namespace lumora::test {

namespace {

bool tryLocales() {
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "German", "de-DE"}) {
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',')
            return true;
    }
    std::setlocale(LC_ALL, "C");
    return false;
}

} // namespace

bool useCommaLocale() {
    if (tryLocales())
        return true;
#ifndef _WIN32
    // Machines without generated locales still carry their sources: build one for the test.
    const std::string dir = std::string(LUMORA_TEST_TMPDIR) + "/locales";
    const std::string command =
        "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1)
        return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return tryLocales();
#else
    return false;
#endif
}

void useCLocale() { std::setlocale(LC_ALL, "C"); }

} // namespace lumora::test
