// The gradient's keyframe text (pasted by users into the host): scanned over a default value,
// then printed back and scanned again, which must give the same value.
#include <cstring>
#include <vector>

#include "colorbar/data/GradientText.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    AEUtil::GradientData data{};
    AEUtil::initEmptyGradient(data);
    if (AEUtil::scanGradientText(reinterpret_cast<const char *>(bytes), size, data) != PF_Err_NONE)
        return 0;
    std::vector<char> text(AEUtil::kGradientPrintSize);
    if (AEUtil::printGradientText(data, false, text.data(), text.size()) != PF_Err_NONE)
        __builtin_trap();
    AEUtil::GradientData again{};
    AEUtil::initEmptyGradient(again);
    if (AEUtil::scanGradientText(text.data(), std::strlen(text.data()), again) != PF_Err_NONE)
        __builtin_trap();
    if (std::memcmp(&again, &data, sizeof data) != 0)
        __builtin_trap();
    return 0;
}
