#include "cli/ImageFiles.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <type_traits>
#include <vector>

#include "cli/MemoryBudget.h"
#include "cli/PngCheck.h"
#include "cli/SampleScale.h"
#include "platform/SafeFile.h"

namespace lumora::cli {

namespace {

namespace fs = std::filesystem;

// The host refuses larger layers.
constexpr int kMaxDimension = 30000;

[[noreturn]] void readFailure(const std::string &path, const std::string &why) {
    throw std::runtime_error("cannot read image '" + path + "': " + why);
}

[[noreturn]] void writeFailure(const std::string &path, const std::string &why) {
    throw std::runtime_error("cannot write image '" + path + "': " + why);
}

// ---- File samples to host samples, T being uint8_t, uint16_t or float.

template <class Host, class T>
Host toHost(T v) {
    if constexpr (std::is_same_v<Host, float>) {
        if constexpr (std::is_same_v<T, float>)
            return v;
        else
            return static_cast<float>(v) / (sizeof(T) == 1 ? 255.0f : 65535.0f);
    } else {
        constexpr std::uint32_t hostMax = sizeof(Host) == 1 ? kFile8Max : kHost16Max;
        if constexpr (std::is_same_v<T, float>)
            return static_cast<Host>(quantise(v, hostMax));
        else
            return static_cast<Host>(rescale(v, sizeof(T) == 1 ? kFile8Max : kFile16Max, hostMax));
    }
}

struct ChannelMap {
    int red = 0, green = 0, blue = 0;
    int alpha = -1; // none: opaque
};

ChannelMap channelMap(const ImageHeader &header) {
    ChannelMap map;
    map.alpha = header.alphaChannel >= 0 && header.alphaChannel < header.channels ? header.alphaChannel : -1;
    if (map.alpha < 0 && header.channels == 2)
        map.alpha = 1; // grey and alpha
    std::vector<int> color;
    for (int c = 0; c < header.channels; ++c)
        if (c != map.alpha)
            color.push_back(c);
    if (color.size() >= 3) {
        map.red = color[0];
        map.green = color[1];
        map.blue = color[2];
    } else {
        map.red = map.green = map.blue = color.empty() ? 0 : color[0];
    }
    return map;
}

template <class Pixel, class T>
void fillHost(embedhost::Image &image, const std::vector<T> &samples, int channels, const ChannelMap &map) {
    using Host = decltype(Pixel::red);
    Host opaque{};
    if constexpr (std::is_same_v<Host, float>)
        opaque = 1.0f;
    else
        opaque = static_cast<Host>(sizeof(Host) == 1 ? kFile8Max : kHost16Max);
    const T *src = samples.data();
    for (A_long y = 0; y < image.height; ++y) {
        Pixel *row = image.row<Pixel>(y);
        for (A_long x = 0; x < image.width; ++x, src += channels) {
            row[x].alpha = map.alpha >= 0 ? toHost<Host>(src[map.alpha]) : opaque;
            row[x].red = toHost<Host>(src[map.red]);
            row[x].green = toHost<Host>(src[map.green]);
            row[x].blue = toHost<Host>(src[map.blue]);
        }
    }
}

template <class T>
void fillAnyDepth(embedhost::Image &image, const std::vector<T> &samples, int channels, const ChannelMap &map) {
    switch (image.format) {
    case PF_PixelFormat_ARGB32: fillHost<PF_Pixel8>(image, samples, channels, map); break;
    case PF_PixelFormat_ARGB64: fillHost<PF_Pixel16>(image, samples, channels, map); break;
    default: fillHost<PF_PixelFloat>(image, samples, channels, map); break;
    }
}

// Premultiplied colours to straight ones; a pixel without coverage keeps its colours.
void unassociate(std::vector<float> &samples, int channels, const ChannelMap &map) {
    if (map.alpha < 0)
        return;
    for (std::size_t i = 0; i + static_cast<std::size_t>(channels) <= samples.size(); i += channels) {
        float &a = samples[i + map.alpha];
        // An alpha that is no finite number means nothing; taken as opaque, it keeps the colours.
        if (!std::isfinite(a))
            a = 1.0f;
        if (a > 0.0f)
            for (int c = 0; c < channels; ++c)
                if (c != map.alpha)
                    samples[i + c] /= a;
    }
}

template <class T>
std::vector<T> readSamples(ImageCodecInput &in, const std::string &path, SampleType as) {
    const ImageHeader &header = in.header();
    std::vector<T> samples(static_cast<std::size_t>(header.width) * header.height * header.channels);
    try {
        in.read(as, samples.data());
    } catch (const std::runtime_error &e) {
        readFailure(path, e.what());
    }
    return samples;
}

// ---- Host samples to file samples.

template <class Out, class Host>
Out fromHost(Host v) {
    if constexpr (std::is_same_v<Out, float>) {
        if constexpr (std::is_same_v<Host, float>)
            return v;
        else
            return static_cast<float>(v) / static_cast<float>(sizeof(Host) == 1 ? kFile8Max : kHost16Max);
    } else {
        constexpr std::uint32_t outMax = sizeof(Out) == 1 ? kFile8Max : kFile16Max;
        if constexpr (std::is_same_v<Host, float>)
            return static_cast<Out>(quantise(v, outMax));
        else
            return static_cast<Out>(rescale(v, sizeof(Host) == 1 ? kFile8Max : kHost16Max, outMax));
    }
}

struct OutputLayout {
    bool grey = false;
    bool alpha = false;
    bool associate = false; // premultiply colours (OpenEXR)
    int channels() const { return (grey ? 1 : 3) + (alpha ? 1 : 0); }
};

template <class Out, class Pixel>
std::vector<Out> fileSamples(const embedhost::Image &image, const OutputLayout &layout) {
    std::vector<Out> samples;
    samples.reserve(static_cast<std::size_t>(image.width) * image.height * layout.channels());
    for (A_long y = 0; y < image.height; ++y) {
        const Pixel *row = image.row<Pixel>(y);
        for (A_long x = 0; x < image.width; ++x) {
            const Pixel &p = row[x];
            Out color[3] = {fromHost<Out>(p.red), fromHost<Out>(p.green), fromHost<Out>(p.blue)};
            const Out alpha = fromHost<Out>(p.alpha);
            if constexpr (std::is_same_v<Out, float>)
                if (layout.associate && alpha > 0.0f)
                    for (Out &c : color)
                        c *= alpha;
            samples.insert(samples.end(), color, color + (layout.grey ? 1 : 3));
            if (layout.alpha)
                samples.push_back(alpha);
        }
    }
    return samples;
}

template <class Pixel>
bool everyPixel(const embedhost::Image &image, bool (*test)(const Pixel &)) {
    for (A_long y = 0; y < image.height; ++y) {
        const Pixel *row = image.row<Pixel>(y);
        for (A_long x = 0; x < image.width; ++x)
            if (!test(row[x]))
                return false;
    }
    return true;
}

template <class Pixel>
bool isGrey(const Pixel &p) {
    return p.red == p.green && p.green == p.blue;
}

template <class Pixel>
bool isOpaque(const Pixel &p) {
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>)
        return p.alpha >= 1.0f;
    else
        return p.alpha >= (sizeof(p.alpha) == 1 ? kFile8Max : kHost16Max);
}

template <class Pixel>
void describe(const embedhost::Image &image, bool &grey, bool &opaque) {
    grey = everyPixel<Pixel>(image, &isGrey<Pixel>);
    opaque = everyPixel<Pixel>(image, &isOpaque<Pixel>);
}

template <class Out>
std::vector<Out> samplesFor(const embedhost::Image &image, const OutputLayout &layout) {
    switch (image.format) {
    case PF_PixelFormat_ARGB32: return fileSamples<Out, PF_Pixel8>(image, layout);
    case PF_PixelFormat_ARGB64: return fileSamples<Out, PF_Pixel16>(image, layout);
    default: return fileSamples<Out, PF_PixelFloat>(image, layout);
    }
}

// A damaged PNG is told before the library sees it, as is a header claiming more pixels than
// the file can hold. Whatever the format, reading must fit the memory budget.
void checkFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        readFailure(path, "it cannot be opened");
    if (hasPngSignature(in))
        if (const std::string fault = pngFault(in); !fault.empty())
            readFailure(path, fault);
}

void checkBudget(const std::string &path, const ImageHeader &header, int depth, std::uint64_t budget) {
    // Samples are read as bytes, 16-bit words or floats; the host's pixels have four channels.
    const int sampleBytes = header.type == SampleType::UInt8 ? 1 : header.type == SampleType::UInt16 ? 2 : 4;
    const int hostBytes = (depth ? depth : depthForFile(header.type)) / 2;
    try {
        requireWithinBudget(imageReadBytes(static_cast<std::uint64_t>(header.width),
                                           static_cast<std::uint64_t>(header.height), header.channels, sampleBytes,
                                           hostBytes),
                            budget ? budget : defaultMemoryBudget(), "reading it");
    } catch (const std::runtime_error &e) {
        readFailure(path, e.what());
    }
}

std::vector<unsigned char> encodeImage(const std::string &path, const embedhost::Image &image,
                                       const ImageFileInfo &like) {
    bool grey = false, opaque = true;
    switch (image.format) {
    case PF_PixelFormat_ARGB32: describe<PF_Pixel8>(image, grey, opaque); break;
    case PF_PixelFormat_ARGB64: describe<PF_Pixel16>(image, grey, opaque); break;
    case PF_PixelFormat_ARGB128: describe<PF_PixelFloat>(image, grey, opaque); break;
    default: throw std::runtime_error("unknown pixel format");
    }
    ImageCodec &codec = imageCodec();
    const ImageOutputFormat format = codec.outputFormat(path);
    OutputLayout layout;
    layout.grey = like.grey && grey;
    layout.alpha = format.alpha && (like.alpha || !opaque);
    // The samples are straight; only OpenEXR wants them premultiplied.
    layout.associate = layout.alpha && format.name == "openexr";

    ImageEncoding encoding;
    encoding.width = image.width;
    encoding.height = image.height;
    encoding.channelNames = layout.grey ? std::vector<std::string>{"Y"} : std::vector<std::string>{"R", "G", "B"};
    if (layout.alpha) {
        encoding.channelNames.push_back("A");
        encoding.alphaChannel = layout.channels() - 1;
        encoding.straight = !layout.associate;
    }
    encoding.type = outputSampleType(format.name, like.type);
    const auto encode = [&](const auto &samples) {
        encoding.samples = samples.data();
        return codec.encode(path, encoding);
    };
    switch (encoding.type) {
    case SampleType::UInt8: return encode(samplesFor<std::uint8_t>(image, layout));
    case SampleType::UInt16: return encode(samplesFor<std::uint16_t>(image, layout));
    default: return encode(samplesFor<float>(image, layout));
    }
}

} // namespace

int depthForFile(SampleType type) {
    switch (type) {
    case SampleType::UInt8: return 8;
    case SampleType::UInt16: return 16;
    default: return 32;
    }
}

PF_PixelFormat formatForDepth(int depth) {
    switch (depth) {
    case 8: return PF_PixelFormat_ARGB32;
    case 16: return PF_PixelFormat_ARGB64;
    case 32: return PF_PixelFormat_ARGB128;
    default: throw std::invalid_argument("a depth is 8, 16 or 32, not " + std::to_string(depth));
    }
}

LoadedImage readImageFile(const std::string &path, int depth, std::uint64_t memoryBudget) {
    if (fs::is_directory(path))
        readFailure(path, "it is a folder, not an image file");
    if (!fs::exists(path))
        readFailure(path, "no such file");
    checkFile(path);
    std::unique_ptr<ImageCodecInput> in;
    try {
        in = imageCodec().open(path);
    } catch (const std::runtime_error &e) {
        readFailure(path, e.what());
    }
    const ImageHeader &header = in->header();
    if (header.deep)
        readFailure(path, "deep images are not supported");
    if (header.channels < 1)
        readFailure(path, "the image has no channels");
    if (header.width < 1 || header.height < 1 || header.depth > 1)
        readFailure(path, "the image has no pixels (" + std::to_string(header.width) + " x " +
                              std::to_string(header.height) + ")");
    if (header.width > kMaxDimension || header.height > kMaxDimension)
        readFailure(path, "larger than " + std::to_string(kMaxDimension) + " pixels in a direction");
    checkBudget(path, header, depth, memoryBudget);

    LoadedImage loaded;
    loaded.file.type = header.type;
    const ChannelMap map = channelMap(header);
    loaded.file.alpha = map.alpha >= 0;
    loaded.file.grey = header.channels - (loaded.file.alpha ? 1 : 0) < 3;
    loaded.image = embedhost::Image::make(header.width, header.height,
                                          formatForDepth(depth ? depth : depthForFile(loaded.file.type)));
    switch (loaded.file.type) {
    case SampleType::UInt8:
        fillAnyDepth(loaded.image, readSamples<std::uint8_t>(*in, path, SampleType::UInt8), header.channels, map);
        break;
    case SampleType::UInt16:
        fillAnyDepth(loaded.image, readSamples<std::uint16_t>(*in, path, SampleType::UInt16), header.channels, map);
        break;
    default: {
        std::vector<float> samples = readSamples<float>(*in, path, SampleType::Float);
        if (header.format == "openexr")
            unassociate(samples, header.channels, map);
        fillAnyDepth(loaded.image, samples, header.channels, map);
        break;
    }
    }
    // Only the first part is read; the caller tells the user about the others.
    loaded.file.parts = in->parts(1000);
    return loaded;
}

SampleType outputSampleType(const std::string &formatName, SampleType wanted) {
    if (formatName == "png")
        return wanted == SampleType::UInt8 ? SampleType::UInt8 : SampleType::UInt16;
    if (formatName == "jpeg")
        return SampleType::UInt8;
    if (formatName == "openexr")
        return wanted == SampleType::Float ? SampleType::Float : SampleType::Half;
    return wanted;
}

void writeImageFile(const std::string &path, const embedhost::Image &image, const ImageFileInfo &like) {
    if (image.empty())
        writeFailure(path, "the image is empty");
    std::vector<unsigned char> encoded;
    try {
        encoded = encodeImage(path, image, like);
    } catch (const std::runtime_error &e) {
        writeFailure(path, e.what());
    }
    // Replaced whole, so a failure never leaves half a file under its name.
    std::string cause;
    if (!platform::writeFileSafely(path, {reinterpret_cast<const char *>(encoded.data()), encoded.size()}, cause))
        writeFailure(path, cause);
}

} // namespace lumora::cli
