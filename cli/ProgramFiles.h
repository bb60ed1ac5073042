// Files the build puts beside the lumora program (the effect module, the image codec), found
// beside the running program, else where the build made them (for the build's own test programs).
#pragma once

#include <filesystem>
#include <optional>

namespace lumora::cli {

struct ProgramFile {
    std::filesystem::path beside;               // where it belongs, for messages
    std::optional<std::filesystem::path> found; // the first of beside and `built` that is a file
};

ProgramFile findProgramFile(const char *name, const std::filesystem::path &built);

} // namespace lumora::cli
