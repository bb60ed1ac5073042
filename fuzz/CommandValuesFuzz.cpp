// Values typed on the command line: frame ranges and patterns, gradients, colours, sizes,
// numbers and option names.
#include <exception>
#include <string>

#include "cli/FrameSequence.h"
#include "cli/GradientStops.h"
#include "cli/MemoryBudget.h"
#include "cli/RenderOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(bytes), size);
    try {
        const lumora::cli::FrameRange r = lumora::cli::parseFrameRange(text);
        if (r.count() < 1)
            __builtin_trap();
    } catch (const std::exception &) {
    }
    try {
        const lumora::cli::FramePattern p = lumora::cli::findFrameRun(text);
        lumora::cli::framePath(p, 123456789);
    } catch (const std::exception &) {
    }
    try {
        lumora::cli::gradientScanText(lumora::cli::gradientValue(lumora::cli::parseGradientStops(text)));
    } catch (const std::exception &) {
    }
    PF_Pixel color{};
    lumora::cli::parseHexColor(text, color);
    lumora::cli::parseByteSize(text);
    lumora::cli::parseOptionNumber(text);
    lumora::cli::parseWhole(text);
    lumora::cli::parseOptionSwitch(text);
    lumora::cli::closestName(lumora::cli::optionWord(text), {"glow-radius", "glow-intensity", "threshold"});
    return 0;
}
