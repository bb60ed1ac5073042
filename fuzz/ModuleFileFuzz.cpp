// Module files (PE and ELF) and the property list found in them.
#include <exception>
#include <span>

#include "embedhost/pipl/ModuleFile.h"
#include "embedhost/pipl/PiPL.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    const std::span<const unsigned char> image(bytes, size);
    try {
        lumora::pipl::decodePiPL(lumora::pipl::piplFromModuleImage(image));
    } catch (const std::exception &) {
    }
    try {
        lumora::pipl::decodePiPL(image); // a property list on its own, as --raw writes it
    } catch (const std::exception &) {
    }
    return 0;
}
