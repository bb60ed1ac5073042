// One walk down the gradient from position 1 to 0: a hue step of more than half a turn is
// taken as a wrap and counted, the count kept in a signed byte per glow value.
#include "render/color/HueWrapTable.h"

#include "colorbar/ColorHsv.h"
#include "colorbar/GradientSampling.h"
#include "render/color/GlowColorize.h"

namespace AEUtil {

double HueWrapTable::hueAt(const ColorFlagList &gradient, Channels channels, uint32_t v) {
    const float position = v == 0 ? 1.0f : gradientPosition(static_cast<uint16_t>(v));
    const PF_Pixel c = sampleGradient(gradient, position);
    if (channels == Channels::Bytes8)
        return rgbToHsv(c.red / 255.0, c.green / 255.0, c.blue / 255.0).hue;
    return rgbToHsv(byteTo16(c.red) / 32768.0, byteTo16(c.green) / 32768.0, byteTo16(c.blue) / 32768.0).hue;
}

HueWrapTable::HueWrapTable(const ColorFlagList &gradient, Channels channels, const PlaneMemory &mem)
    : block_(mem.allocate(kEntries)) {
    auto *table = reinterpret_cast<int8_t *>(block_.get());
    table[0] = 0;
    double previous = hueAt(gradient, channels, 0);
    for (uint32_t i = 1; i < kEntries; ++i) {
        const double hue = hueAt(gradient, channels, i);
        int step = 0;
        if (previous - hue > 0.5)
            step = 1;
        else if (hue - previous > 0.5)
            step = -1;
        // More than 127 wraps in one gradient would need a wider entry; the byte wraps as stored.
        table[i] = static_cast<int8_t>(table[i - 1] + step);
        previous = hue;
    }
}

} // namespace AEUtil
