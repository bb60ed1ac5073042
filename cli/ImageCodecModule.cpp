// Loads the image codec module once: from beside the running program, else from where the build
// made it. Paths, not the run path: a sanitizer's dlopen would search its own.
#include "cli/ImageCodec.h"

#include <dlfcn.h>

#include <mutex>
#include <stdexcept>

#include "cli/ProgramFiles.h"

namespace lumora::cli {

namespace {

constexpr const char *kModuleName = "lumora-image-codec.so";

void *open(std::string &why) {
    const ProgramFile file = findProgramFile(kModuleName, LUMORA_IMAGE_CODEC_BUILT);
    if (!file.found) {
        why = "no " + file.beside.string();
        return nullptr;
    }
    // Never closed: its objects and the libraries under it live as long as the process.
    if (void *module = dlopen(file.found->c_str(), RTLD_NOW | RTLD_LOCAL))
        return module;
    const char *error = dlerror();
    why = error ? error : file.found->string();
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
