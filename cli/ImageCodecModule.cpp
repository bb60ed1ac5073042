// Loads the image codec module once: from beside the running program, else from where the build
// made it. Paths, not the run path: a sanitizer's dlopen would search its own.
#include "cli/ImageCodec.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <system_error>

namespace lumora::cli {

namespace {

constexpr const char *kModuleName = "lumora-image-codec.so";

void *open(std::string &why) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    const fs::path beside = program.parent_path() / kModuleName;
    for (const fs::path &path : {beside, fs::path(LUMORA_IMAGE_CODEC_BUILT)}) {
        if (!fs::exists(path, ec))
            continue;
        // Never closed: its objects and the libraries under it live as long as the process.
        if (void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            return module;
        const char *error = dlerror();
        why = error ? error : path.string();
        return nullptr;
    }
    why = "no " + beside.string();
    return nullptr;
}

ImageCodec *load(std::string &why) {
    void *module = open(why);
    if (!module)
        return nullptr;
    const auto entry = reinterpret_cast<ImageCodecEntry>(dlsym(module, kImageCodecEntry));
    ImageCodec *codec = entry ? entry(kImageCodecVersion) : nullptr;
    if (!codec)
        why = std::string(kModuleName) + " is from another build of lumora";
    return codec;
}

} // namespace

ImageCodec &imageCodec() {
    static std::once_flag once;
    static ImageCodec *codec = nullptr;
    static std::string why;
    std::call_once(once, [] { codec = load(why); });
    if (!codec)
        throw std::runtime_error("image files cannot be read or written here: " + why);
    return *codec;
}

} // namespace lumora::cli
