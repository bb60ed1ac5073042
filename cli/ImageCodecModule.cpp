// Loads the image codec module once, found through the command's run path.
#include "cli/ImageCodec.h"

#include <dlfcn.h>

#include <mutex>
#include <stdexcept>

namespace lumora::cli {

namespace {

constexpr const char *kModuleName = "lumora-image-codec.so";

ImageCodec *load(std::string &why) {
    // Never closed: its objects and the libraries under it live as long as the process.
    void *module = dlopen(kModuleName, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *error = dlerror();
        why = error ? error : kModuleName;
        return nullptr;
    }
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
