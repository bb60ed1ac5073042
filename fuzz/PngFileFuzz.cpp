// The walk over a PNG file's chunks that runs before the image library sees it.
#include <sstream>
#include <string>

#include "cli/PngCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char *>(bytes), size));
    if (lumora::cli::hasPngSignature(in))
        lumora::cli::pngFault(in);
    return 0;
}
