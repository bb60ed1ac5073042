#include "cli/ImageFiles.h"

#include <OpenImageIO/filesystem.h>
#include <OpenImageIO/imageio.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <type_traits>
#include <vector>

#include "cli/MemoryBudget.h"
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

// The library's first line: the rest repeats it in other words.
std::string lastError(const std::string &detail) {
    const std::string general = OIIO::geterror();
    const std::string text = !detail.empty() ? detail : !general.empty() ? general : std::string("unknown error");
    return text.substr(0, text.find('\n'));
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

ChannelMap channelMap(const OIIO::ImageSpec &header) {
    ChannelMap map;
    map.alpha = header.alpha_channel >= 0 && header.alpha_channel < header.nchannels ? header.alpha_channel : -1;
    if (map.alpha < 0 && header.nchannels == 2)
        map.alpha = 1; // grey and alpha
    std::vector<int> color;
    for (int c = 0; c < header.nchannels; ++c)
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
std::vector<T> readSamples(OIIO::ImageInput &in, const std::string &path, OIIO::TypeDesc type) {
    const OIIO::ImageSpec &header = in.spec();
    std::vector<T> samples(static_cast<std::size_t>(header.width) * header.height * header.nchannels);
    if (!in.read_image(0, 0, 0, header.nchannels, type, samples.data()))
        readFailure(path, lastError(in.geterror()));
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

OIIO::TypeDesc typeDesc(SampleType type) {
    switch (type) {
    case SampleType::UInt8: return OIIO::TypeDesc::UINT8;
    case SampleType::UInt16: return OIIO::TypeDesc::UINT16;
    case SampleType::Half: return OIIO::TypeDesc::HALF;
    default: return OIIO::TypeDesc::FLOAT;
    }
}

template <class Out>
void writeSamples(OIIO::ImageOutput &out, const std::string &name, OIIO::ImageSpec header,
                  const std::vector<Out> &samples, OIIO::TypeDesc given) {
    if (!out.open(name, header))
        throw std::runtime_error(lastError(out.geterror()));
    if (!out.write_image(given, samples.data()))
        throw std::runtime_error(lastError(out.geterror()));
    if (!out.close())
        throw std::runtime_error(lastError(out.geterror()));
}

// A header can claim far more pixels than its file holds. Deflate packs at most 1032 bytes into
// one, so a PNG smaller than its pixels over that is damaged; and whatever the format, reading
// must fit the memory budget. Both are told before any pixel is read.
// Half and float files are read as floats; 16-bit and other integer files as 16-bit words.
SampleType sampleTypeOf(const OIIO::ImageSpec &header) {
    const auto base = static_cast<OIIO::TypeDesc::BASETYPE>(header.format.basetype);
    return base == OIIO::TypeDesc::UINT8                                    ? SampleType::UInt8
           : base == OIIO::TypeDesc::HALF                                   ? SampleType::Half
           : base == OIIO::TypeDesc::FLOAT || base == OIIO::TypeDesc::DOUBLE ? SampleType::Float
                                                                             : SampleType::UInt16;
}

void checkClaimedSize(const std::string &path, OIIO::ImageInput &in, const OIIO::ImageSpec &header, int depth,
                      std::uint64_t budget) {
    const auto width = static_cast<std::uint64_t>(header.width), height = static_cast<std::uint64_t>(header.height);
    const auto channels = static_cast<std::uint64_t>(header.nchannels);
    const std::uint64_t raw = width * height * channels * header.format.size();
    std::error_code ec;
    const std::uintmax_t fileBytes = fs::file_size(path, ec);
    if (!ec && std::string(in.format_name()) == "png" && raw / 1032 > fileBytes)
        readFailure(path, "its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels, more than a file of " + std::to_string(fileBytes) + " bytes can hold");
    // Samples are read as bytes, 16-bit words or floats; the host's pixels have four channels.
    const SampleType type = sampleTypeOf(header);
    const int sampleBytes = type == SampleType::UInt8 ? 1 : type == SampleType::UInt16 ? 2 : 4;
    const int hostBytes = (depth ? depth : depthForFile(type)) / 2;
    try {
        requireWithinBudget(imageReadBytes(width, height, header.nchannels, sampleBytes, hostBytes),
                            budget ? budget : defaultMemoryBudget(), "reading it");
    } catch (const std::runtime_error &e) {
        readFailure(path, e.what());
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
    // Straight alpha is taken as it is stored instead of being premultiplied on the way in.
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = OIIO::ImageInput::open(path, &config);
    if (!in)
        readFailure(path, lastError({}));
    const OIIO::ImageSpec &header = in->spec();
    if (header.deep)
        readFailure(path, "deep images are not supported");
    if (header.nchannels < 1)
        readFailure(path, "the image has no channels");
    if (header.width < 1 || header.height < 1 || header.depth > 1)
        readFailure(path, "the image has no pixels (" + std::to_string(header.width) + " x " +
                              std::to_string(header.height) + ")");
    if (header.width > kMaxDimension || header.height > kMaxDimension)
        readFailure(path, "larger than " + std::to_string(kMaxDimension) + " pixels in a direction");
    checkClaimedSize(path, *in, header, depth, memoryBudget);

    LoadedImage loaded;
    loaded.file.type = sampleTypeOf(header);
    const ChannelMap map = channelMap(header);
    loaded.file.alpha = map.alpha >= 0;
    loaded.file.grey = header.nchannels - (loaded.file.alpha ? 1 : 0) < 3;
    loaded.image = embedhost::Image::make(header.width, header.height,
                                          formatForDepth(depth ? depth : depthForFile(loaded.file.type)));
    const bool associated = std::string(in->format_name()) == "openexr";
    switch (loaded.file.type) {
    case SampleType::UInt8:
        fillAnyDepth(loaded.image, readSamples<std::uint8_t>(*in, path, OIIO::TypeDesc::UINT8), header.nchannels, map);
        break;
    case SampleType::UInt16:
        fillAnyDepth(loaded.image, readSamples<std::uint16_t>(*in, path, OIIO::TypeDesc::UINT16), header.nchannels,
                     map);
        break;
    default: {
        std::vector<float> samples = readSamples<float>(*in, path, OIIO::TypeDesc::FLOAT);
        if (associated)
            unassociate(samples, header.nchannels, map);
        fillAnyDepth(loaded.image, samples, header.nchannels, map);
        break;
    }
    }
    // Only the first part is read; the caller tells the user about the others.
    while (loaded.file.parts < 1000 && in->seek_subimage(loaded.file.parts, 0))
        ++loaded.file.parts;
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
    auto out = OIIO::ImageOutput::create(path);
    if (!out)
        writeFailure(path, lastError({}));
    const std::string formatName = out->format_name();
    const SampleType type = outputSampleType(formatName, like.type);

    bool grey = false, opaque = true;
    switch (image.format) {
    case PF_PixelFormat_ARGB32: describe<PF_Pixel8>(image, grey, opaque); break;
    case PF_PixelFormat_ARGB64: describe<PF_Pixel16>(image, grey, opaque); break;
    case PF_PixelFormat_ARGB128: describe<PF_PixelFloat>(image, grey, opaque); break;
    default: writeFailure(path, "unknown pixel format");
    }
    OutputLayout layout;
    layout.grey = like.grey && grey;
    layout.alpha = out->supports("alpha") && (like.alpha || !opaque);
    layout.associate = layout.alpha && formatName == "openexr";

    OIIO::ImageSpec header(image.width, image.height, layout.channels(), typeDesc(type));
    header.channelnames = layout.grey ? std::vector<std::string>{"Y"} : std::vector<std::string>{"R", "G", "B"};
    if (layout.alpha) {
        header.channelnames.push_back("A");
        header.alpha_channel = layout.channels() - 1;
        // The samples are straight; only OpenEXR wants them premultiplied (done above).
        if (!layout.associate)
            header.attribute("oiio:UnassociatedAlpha", 1);
    }

    // Encoded in memory, where nothing the library writes can fail unseen or end the process;
    // the file is then replaced whole, so a failure never leaves half a file under its name.
    if (!out->supports("ioproxy"))
        writeFailure(path, "the " + formatName + " writer cannot encode to memory");
    std::vector<unsigned char> encoded;
    OIIO::Filesystem::IOVecOutput memory(encoded);
    if (!out->set_ioproxy(&memory)) {
        const std::string why = lastError(out->geterror());
        out.reset();
        writeFailure(path, why);
    }
    try {
        switch (type) {
        case SampleType::UInt8:
            writeSamples(*out, path, header, samplesFor<std::uint8_t>(image, layout), OIIO::TypeDesc::UINT8);
            break;
        case SampleType::UInt16:
            writeSamples(*out, path, header, samplesFor<std::uint16_t>(image, layout), OIIO::TypeDesc::UINT16);
            break;
        default:
            writeSamples(*out, path, header, samplesFor<float>(image, layout), OIIO::TypeDesc::FLOAT);
            break;
        }
    } catch (const std::exception &e) {
        // The writer goes before the memory it writes to.
        out.reset();
        writeFailure(path, e.what());
    }
    out.reset();
    std::string cause;
    if (!platform::writeFileSafely(path, {reinterpret_cast<const char *>(encoded.data()), encoded.size()}, cause))
        writeFailure(path, cause);
}

} // namespace lumora::cli
