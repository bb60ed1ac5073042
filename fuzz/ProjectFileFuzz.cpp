// Project files of the embedded host: parsed, and a parsed one written and parsed again.
#include <string>

#include "embedhost/ProjectFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(bytes), size);
    embedhost::ProjectData data;
    try {
        data = embedhost::readProject(text);
    } catch (const std::exception &) {
        return 0; // refused with a message: what a bad file should get
    }
    const std::string written = embedhost::writeProject(data);
    if (embedhost::writeProject(embedhost::readProject(written)) != written)
        __builtin_trap();
    return 0;
}
