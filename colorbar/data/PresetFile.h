// The gradient preset file shared by every user of the machine: its path, reading it into
// preset records, and writing them back, in the colour bar's text format.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "colorbar/data/GradientData.h"

namespace AEUtil {

inline constexpr std::size_t kPresetPathSize = 260; // MAX_PATH, terminator included
// The glow's presets, in the shared documents folder.
inline constexpr const char *kPresetFileName = "LumoraColorSet.col";

// The first 792 bytes of a GradientData: header word, name and one flag list.
struct PresetRecord {
    A_long header;
    char name[kGradientNameSize];
    ColorFlagList list;
};
static_assert(sizeof(PresetRecord) == 792);

// <shared documents folder>/NORIK/Vantu/<fileName> (backslashes on Windows). A path that would
// not fit, or an unknown folder, leaves `path` empty and returns false.
bool presetFilePath(const char *fileName, char (&path)[kPresetPathSize]);

// Every section in file order, each list sorted by position. A missing or unreadable file
// reads as no presets; malformed lines are skipped.
std::vector<PresetRecord> readPresetFile(const char *path);
std::vector<PresetRecord> readPresets(std::FILE *file);

// Writes the whole file, creating its folders first, and replaces the old one only once it is
// complete. False when it cannot be written.
bool writePresetFile(const char *path, const std::vector<PresetRecord> &presets);
std::string presetText(const std::vector<PresetRecord> &presets);

// The first preset whose name equals `name` byte for byte, or null.
const PresetRecord *findPreset(const std::vector<PresetRecord> &presets, const char *name) noexcept;

} // namespace AEUtil
