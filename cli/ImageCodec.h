// What the command asks of the image library (OpenImageIO). The library and the hundreds of
// shared libraries it pulls in live in a module loaded on the first image read or write, so
// verbs without images start at once and a file refused on its header costs no library load.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace lumora::cli {

enum class SampleType { UInt8, UInt16, Half, Float };

// A file's first subimage as its header describes it.
struct ImageHeader {
    std::string format; // the library's name for it: "png", "openexr", "tiff", ...
    int width = 0;
    int height = 0;
    int depth = 1; // volume slices
    int channels = 0;
    int alphaChannel = -1; // none
    SampleType type = SampleType::UInt8;
    bool deep = false;
};

class ImageCodecInput {
public:
    virtual ~ImageCodecInput() = default;
    virtual const ImageHeader &header() const = 0;
    // Every channel of the first subimage, interleaved, into width * height * channels samples of
    // `as` (UInt8, UInt16 or Float). Throws std::runtime_error with the library's cause.
    virtual void read(SampleType as, void *samples) = 0;
    // Subimages in the file, counted up to `most`.
    virtual int parts(int most) = 0;
};

// What the writer for a file name stores.
struct ImageOutputFormat {
    std::string name; // as ImageHeader::format
    bool alpha = false;
};

// Interleaved samples to encode, channelNames.size() channels, stored as `type`; the samples
// are of that type, floats for Half.
struct ImageEncoding {
    int width = 0;
    int height = 0;
    std::vector<std::string> channelNames;
    int alphaChannel = -1;
    bool straight = false; // colours not premultiplied by alpha
    SampleType type = SampleType::UInt8;
    const void *samples = nullptr;
};

// Each call throws std::runtime_error with the library's cause (the caller names the file).
class ImageCodec {
public:
    // Opens `path` and reads its header; straight alpha is read as stored.
    virtual std::unique_ptr<ImageCodecInput> open(const std::string &path) = 0;
    // The format `path`'s extension names.
    virtual ImageOutputFormat outputFormat(const std::string &path) = 0;
    // The whole file in memory, in that format, so that nothing the library writes can fail
    // unseen or end the process.
    virtual std::vector<unsigned char> encode(const std::string &path, const ImageEncoding &image) = 0;

protected:
    ~ImageCodec() = default;
};

// The module's one entry: its codec when built with this header's version, else null.
inline constexpr int kImageCodecVersion = 1;
inline constexpr const char *kImageCodecEntry = "lumora_image_codec";
using ImageCodecEntry = ImageCodec *(*)(int version);

// The module's codec, loaded on first use. Throws std::runtime_error when it cannot be loaded.
ImageCodec &imageCodec();

} // namespace lumora::cli
