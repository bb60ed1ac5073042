// The shared preset file: read, written back and read again to the same presets.
#include <cstdio>
#include <cstring>

#include "colorbar/data/PresetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, std::size_t size) {
    std::FILE *file = fmemopen(const_cast<unsigned char *>(bytes), size, "r");
    if (!file)
        return 0;
    const std::vector<AEUtil::PresetRecord> presets = AEUtil::readPresets(file);
    std::fclose(file);
    std::string text = AEUtil::presetText(presets);
    std::FILE *again = fmemopen(text.data(), text.size(), "r");
    if (!again)
        return 0;
    const std::vector<AEUtil::PresetRecord> back = AEUtil::readPresets(again);
    std::fclose(again);
    if (back.size() != presets.size())
        __builtin_trap();
    for (const AEUtil::PresetRecord &p : presets)
        AEUtil::findPreset(presets, p.name);
    return 0;
}
