#include "embedhost/pipl/ModuleFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "embedhost/pipl/FormatError.h"

namespace lumora::pipl {

ModuleFormat detectModuleFormat(std::span<const unsigned char> image) {
    if (image.size() >= 2 && image[0] == 'M' && image[1] == 'Z')
        return ModuleFormat::PE;
    if (image.size() >= 4 && image[0] == 0x7f && image[1] == 'E' && image[2] == 'L' && image[3] == 'F')
        return ModuleFormat::ELF;
    return ModuleFormat::Unknown;
}

std::span<const unsigned char> piplFromModuleImage(std::span<const unsigned char> image) {
    switch (detectModuleFormat(image)) {
    case ModuleFormat::PE: return piplFromPE(image);
    case ModuleFormat::ELF: return piplFromELF(image);
    case ModuleFormat::Unknown: break;
    }
    fail("not a PE or ELF file");
}

std::vector<unsigned char> readFileBytes(const std::filesystem::path &path, std::size_t maxBytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw std::runtime_error("cannot read " + path.string() + ": is a directory");
    // Devices and pipes never end; a file larger than its kind ever is was not meant.
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!ec && !std::filesystem::is_regular_file(status))
        throw std::runtime_error("cannot read " + path.string() + ": not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string() + ": " + std::strerror(errno));
    std::vector<unsigned char> bytes;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > maxBytes)
            throw std::runtime_error("cannot read " + path.string() + ": larger than " +
                                     std::to_string(maxBytes >> 20) + " MB, more than such a file holds");
    }
    if (in.bad())
        throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

std::vector<unsigned char> readModulePiPL(const std::filesystem::path &path) {
    const std::vector<unsigned char> image = readFileBytes(path, kMaxModuleBytes);
    try {
        const std::span<const unsigned char> pipl = piplFromModuleImage(image);
        return {pipl.begin(), pipl.end()};
    } catch (const FormatError &e) {
        throw FormatError(path.string() + ": " + e.what());
    }
}

} // namespace lumora::pipl
