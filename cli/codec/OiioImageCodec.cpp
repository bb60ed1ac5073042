// The image codec module: ImageCodec over OpenImageIO, and the module's one exported entry.

#include <OpenImageIO/filesystem.h>
#include <OpenImageIO/imageio.h>

#include <stdexcept>

#include "cli/ImageCodec.h"

namespace lumora::cli {

namespace {

// The library's first line: the rest repeats it in other words.
[[noreturn]] void fail(const std::string &detail) {
    const std::string general = OIIO::geterror();
    const std::string text = !detail.empty() ? detail : !general.empty() ? general : std::string("unknown error");
    throw std::runtime_error(text.substr(0, text.find('\n')));
}

OIIO::TypeDesc typeDesc(SampleType type) {
    switch (type) {
    case SampleType::UInt8: return OIIO::TypeDesc::UINT8;
    case SampleType::UInt16: return OIIO::TypeDesc::UINT16;
    case SampleType::Half: return OIIO::TypeDesc::HALF;
    default: return OIIO::TypeDesc::FLOAT;
    }
}

// Half and float files are read as floats; 16-bit and other integer files as 16-bit words.
SampleType sampleTypeOf(const OIIO::ImageSpec &spec) {
    const auto base = static_cast<OIIO::TypeDesc::BASETYPE>(spec.format.basetype);
    return base == OIIO::TypeDesc::UINT8                                     ? SampleType::UInt8
           : base == OIIO::TypeDesc::HALF                                    ? SampleType::Half
           : base == OIIO::TypeDesc::FLOAT || base == OIIO::TypeDesc::DOUBLE ? SampleType::Float
                                                                             : SampleType::UInt16;
}

class OiioInput final : public ImageCodecInput {
public:
    explicit OiioInput(std::unique_ptr<OIIO::ImageInput> in) : in_(std::move(in)) {
        const OIIO::ImageSpec &spec = in_->spec();
        header_.format = in_->format_name();
        header_.width = spec.width;
        header_.height = spec.height;
        header_.depth = spec.depth;
        header_.channels = spec.nchannels;
        header_.alphaChannel = spec.alpha_channel;
        header_.type = sampleTypeOf(spec);
        header_.deep = spec.deep;
    }
    const ImageHeader &header() const override { return header_; }
    void read(SampleType as, void *samples) override {
        if (!in_->read_image(0, 0, 0, header_.channels, typeDesc(as), samples))
            fail(in_->geterror());
    }
    int parts(int most) override {
        int count = 1;
        while (count < most && in_->seek_subimage(count, 0))
            ++count;
        return count;
    }

private:
    std::unique_ptr<OIIO::ImageInput> in_;
    ImageHeader header_;
};

class OiioCodec final : public ImageCodec {
public:
    std::unique_ptr<ImageCodecInput> open(const std::string &path) override {
        OIIO::ImageSpec config;
        config.attribute("oiio:UnassociatedAlpha", 1);
        auto in = OIIO::ImageInput::open(path, &config);
        if (!in)
            fail({});
        return std::make_unique<OiioInput>(std::move(in));
    }

    ImageOutputFormat outputFormat(const std::string &path) override {
        const auto out = OIIO::ImageOutput::create(path);
        if (!out)
            fail({});
        return {out->format_name(), out->supports("alpha") != 0};
    }

    std::vector<unsigned char> encode(const std::string &path, const ImageEncoding &image) override {
        auto out = OIIO::ImageOutput::create(path);
        if (!out)
            fail({});
        if (!out->supports("ioproxy"))
            throw std::runtime_error(std::string("the ") + out->format_name() + " writer cannot encode to memory");
        OIIO::ImageSpec spec(image.width, image.height, static_cast<int>(image.channelNames.size()),
                             typeDesc(image.type));
        spec.channelnames = image.channelNames;
        spec.alpha_channel = image.alphaChannel;
        if (image.straight)
            spec.attribute("oiio:UnassociatedAlpha", 1);
        std::vector<unsigned char> encoded;
        OIIO::Filesystem::IOVecOutput memory(encoded);
        // The writer goes before the memory it writes to, also when it fails.
        std::string why;
        if (!out->set_ioproxy(&memory) || !out->open(path, spec) ||
            !out->write_image(typeDesc(image.type == SampleType::Half ? SampleType::Float : image.type),
                              image.samples) ||
            !out->close())
            why = out->geterror();
        out.reset();
        if (!why.empty() || encoded.empty())
            fail(why);
        return encoded;
    }
};

} // namespace

} // namespace lumora::cli

extern "C" __attribute__((visibility("default"))) lumora::cli::ImageCodec *lumora_image_codec(int version) {
    static lumora::cli::OiioCodec codec;
    return version == lumora::cli::kImageCodecVersion ? &codec : nullptr;
}
