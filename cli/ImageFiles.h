// Image files (anything OpenImageIO reads: PNG, JPEG, TIFF, OpenEXR, ...) to and from the
// host's straight ARGB images, keeping each file's bit depth where the output format allows.
// Files are checked here; the library only decodes and encodes (ImageCodec).
#pragma once

#include <cstdint>

#include <string>

#include "cli/ImageCodec.h"
#include "embedhost/Image.h"

namespace lumora::cli {

// What an input file held, so that its result can be written back alike.
struct ImageFileInfo {
    SampleType type = SampleType::UInt8;
    bool alpha = false; // the file had an alpha channel
    bool grey = false;  // one colour channel
    int parts = 1;      // subimages (multi-part OpenEXR); only the first is read
};

struct LoadedImage {
    embedhost::Image image;
    ImageFileInfo file;
};

// 8 for 8-bit files, 16 for other integer files, 32 for half and float ones.
int depthForFile(SampleType type);
// 8 -> ARGB32, 16 -> ARGB64, 32 -> ARGB128; throws std::invalid_argument for other depths.
PF_PixelFormat formatForDepth(int depth);

// Reads the first subimage. Grey becomes R = G = B, no alpha becomes opaque; 16-bit file values
// 0..65535 become 0..32768 rounded to nearest. Alpha is taken as stored (straight) except in
// OpenEXR files, whose colours are premultiplied by convention and are divided by alpha here
// (where alpha is 0 they are kept). `depth` 8, 16 or 32 overrides the file's; 0 follows it.
// Throws std::runtime_error naming the file when it cannot be read or holds no pixels, and,
// before reading a pixel, when its header claims more than the file holds or reading it would
// pass `memoryBudget` bytes (0: defaultMemoryBudget()).
LoadedImage readImageFile(const std::string &path, int depth = 0, std::uint64_t memoryBudget = 0);

// The sample type a format written by OpenImageIO ("png", "jpeg", "openexr", "tiff", ...)
// stores for `wanted`: PNG 8 or 16 bit, JPEG 8 bit, OpenEXR half or float, others as wanted.
SampleType outputSampleType(const std::string &formatName, SampleType wanted);

// Writes `image` in the format `path`'s extension names, at `like`'s sample type where that
// format holds it, grey when `like` was and every pixel still is, with alpha when the format has
// it and `like` had it or some pixel is not opaque. Values outside an integer format's range
// are clamped. The file appears whole or not at all (written beside it, then renamed). Throws
// std::runtime_error naming the file on failure.
void writeImageFile(const std::string &path, const embedhost::Image &image, const ImageFileInfo &like);

} // namespace lumora::cli
