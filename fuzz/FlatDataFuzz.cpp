// Flattened data the host hands back from a saved project: the gradient record (as its
// unflatten copies it) through everything that reads it, and the sequence record.
#include <cstring>

#include "colorbar/data/GradientData.h"
#include "colorbar/GradientSampling.h"
#include "colorbar/data/GradientText.h"
#include "host/SequenceData.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    AEUtil::unflattenSequence(bytes, size);
    if (size < sizeof(AEUtil::GradientData))
        return 0;
    AEUtil::GradientData data;
    std::memcpy(&data, bytes, sizeof data);
    for (AEUtil::ColorFlagList *list : {&data.current, &data.preset}) {
        const A_long n = AEUtil::usedFlagCount(*list);
        for (A_long i = 0; i < n; ++i)
            list->flag[i].id = i;
        AEUtil::sortColorFlags(*list);
        std::uint32_t row[64];
        AEUtil::rasterizeGradient(*list, row, 64);
        for (float x : {-1.0f, 0.0f, 0.5f, 1.0f, 2.0f})
            AEUtil::sampleGradient(*list, x);
    }
    static char text[AEUtil::kGradientPrintSize];
    AEUtil::printGradientText(data, false, text, sizeof text);
    return 0;
}
