// Gets the property-list bytes out of a plug-in module file without loading it (resource PIPL
// 16000 of a PE module, section ".pipl" of an ELF one), or on Windows from a loaded module.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace lumora::pipl {

inline constexpr char kPiPLResourceType[] = "PIPL";
inline constexpr std::uint16_t kPiPLResourceId = 16000;
inline constexpr char kPiPLSectionName[] = ".pipl";

enum class ModuleFormat { Unknown, PE, ELF };

ModuleFormat detectModuleFormat(std::span<const unsigned char> image);

// The returned bytes lie inside `image`. All throw FormatError when the image is malformed or
// carries no property list.
std::span<const unsigned char> piplFromPE(std::span<const unsigned char> image);
std::span<const unsigned char> piplFromELF(std::span<const unsigned char> image);
std::span<const unsigned char> piplFromModuleImage(std::span<const unsigned char> image);

// Module files run to a few megabytes; this bounds what reading one may take.
inline constexpr std::size_t kMaxModuleBytes = std::size_t{512} << 20;

// Whole file; throws std::runtime_error when it cannot be read or holds more than maxBytes.
std::vector<unsigned char> readFileBytes(const std::filesystem::path &path, std::size_t maxBytes = kMaxModuleBytes);

// The property list of the module file at `path`.
std::vector<unsigned char> readModulePiPL(const std::filesystem::path &path);

#ifdef _WIN32
// The property list of a module loaded in this process (its HMODULE), through the resource API.
std::vector<unsigned char> piplFromLoadedModule(void *module);
#endif

} // namespace lumora::pipl
