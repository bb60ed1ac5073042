#include "colorbar/data/PresetFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Folders.h"
#include "platform/SafeFile.h"
#include "platform/ShellFolders.h"

namespace AEUtil {

namespace {

constexpr std::size_t kLineSize = 1024;
constexpr char kColorDelimiters[] = "\t ,=()\n";

void startPreset(PresetRecord &preset, const char *name, std::size_t length) {
    std::memset(&preset, 0, sizeof preset);
    // A longer name does not fit the field: it is cut, as the dialog's edit field cuts it.
    if (length >= kGradientNameSize)
        length = kGradientNameSize - 1;
    std::memcpy(preset.name, name, length);
    initColorFlagList(preset.list);
}

// "color = (r, g, b), position": kept only when all four numbers are there and the position
// lies on the bar.
void readColorLine(PresetRecord &preset, char *rest) {
    char *tokens[4] = {};
    for (char *&token : tokens) {
        rest += std::strspn(rest, kColorDelimiters);
        if (*rest == '\0')
            return;
        token = rest;
        rest += std::strcspn(rest, kColorDelimiters);
        if (*rest != '\0')
            *rest++ = '\0';
    }
    const double position = std::strtod(tokens[3], nullptr);
    if (!(position >= 0.0 && position <= 1.0) || usedFlagCount(preset.list) >= kMaxColorFlags)
        return;
    ColorFlag flag{};
    flag.alpha = 255;
    flag.red = static_cast<A_u_char>(std::strtol(tokens[0], nullptr, 10));
    flag.green = static_cast<A_u_char>(std::strtol(tokens[1], nullptr, 10));
    flag.blue = static_cast<A_u_char>(std::strtol(tokens[2], nullptr, 10));
    flag.position = static_cast<float>(position);
    appendColorFlag(preset.list, flag);
}

} // namespace

bool presetFilePath(const char *fileName, char (&path)[kPresetPathSize]) {
    path[0] = '\0';
    const std::string base = lumora::platform::sharedDocumentsFolder();
    if (base.empty() || !fileName)
        return false;
    constexpr char sep = lumora::platform::kPathSeparator;
    std::string full = base;
    if (full.back() != sep)
        full += sep;
    full.append("NORIK").append(1, sep).append("Vantu").append(1, sep).append(fileName);
    if (full.size() >= kPresetPathSize)
        return false;
    std::memcpy(path, full.c_str(), full.size() + 1);
    return true;
}

std::vector<PresetRecord> readPresets(std::FILE *file) {
    std::vector<PresetRecord> presets;
    PresetRecord current{};
    bool reading = false;
    char line[kLineSize];
    while (std::fgets(line, sizeof line, file)) {
        char *text = line + std::strspn(line, " \t\n");
        if (*text == '\0')
            continue;
        if (*text == '[') {
            char *close = std::strrchr(text + 1, ']');
            if (!close)
                continue;
            if (reading)
                presets.push_back(current);
            startPreset(current, text + 1, static_cast<std::size_t>(close - (text + 1)));
            reading = true;
        } else if (std::strncmp(text, "color", 5) == 0 && reading) {
            readColorLine(current, text + 5);
        }
    }
    if (reading)
        presets.push_back(current);
    for (PresetRecord &preset : presets)
        sortColorFlags(preset.list);
    return presets;
}

std::vector<PresetRecord> readPresetFile(const char *path) {
    std::FILE *file = path ? std::fopen(path, "rt") : nullptr;
    if (!file)
        return {};
    std::vector<PresetRecord> presets = readPresets(file);
    std::fclose(file);
    return presets;
}

std::string presetText(const std::vector<PresetRecord> &presets) {
    std::string text;
    char line[kGradientNameSize + 64];
    bool first = true;
    for (const PresetRecord &preset : presets) {
        if (!first)
            text += "\n\n";
        first = false;
        std::snprintf(line, sizeof line, "[%.*s]\n", static_cast<int>(kGradientNameSize - 1), preset.name);
        text += line;
        ColorFlagList sorted = preset.list;
        sortColorFlags(sorted);
        const A_long n = usedFlagCount(sorted);
        for (A_long i = 0; i < n; ++i) {
            const ColorFlag &f = sorted.flag[i];
            std::snprintf(line, sizeof line, "color = (%3d, %3d, %3d), %9.7f\n", f.red, f.green, f.blue,
                          static_cast<double>(f.position));
            text += line;
        }
    }
    if (!presets.empty())
        text += "\n";
    return text;
}

bool writePresetFile(const char *path, const std::vector<PresetRecord> &presets) {
    if (!path || !*path)
        return false;
    const std::string folder = lumora::platform::parentFolder(path);
    if (!folder.empty() && !lumora::platform::createFolderTree(folder))
        return false;
    std::string text = presetText(presets);
#ifdef _WIN32
    // The file has always been written in text mode there: lines end in CR LF.
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    text.swap(crlf);
#endif
    lumora::platform::removeStaleTemporaries(path);
    std::string cause;
    return lumora::platform::writeFileSafely(path, text, cause);
}

const PresetRecord *findPreset(const std::vector<PresetRecord> &presets, const char *name) noexcept {
    if (!name)
        return nullptr;
    for (const PresetRecord &preset : presets)
        if (std::strncmp(preset.name, name, kGradientNameSize) == 0)
            return &preset;
    return nullptr;
}

} // namespace AEUtil
