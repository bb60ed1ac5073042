// Image files to and from host images: channel layouts, the scales of 8-bit, 16-bit and float
// files, straight and premultiplied alpha, and the errors for files that cannot be used.
#include <gtest/gtest.h>

#include <OpenImageIO/imageio.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "cli/ImageFiles.h"

namespace {

using namespace lumora::cli;
namespace fs = std::filesystem;

fs::path scratch(const std::string &name) {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder = fs::path(LUMORA_TEST_TMPDIR) / (std::string("images-") + info->name());
    fs::create_directories(folder);
    return folder / name;
}

// Writes the samples as they are, marked straight where the format has a choice.
template <class T>
void writeRaw(const fs::path &path, int width, int height, std::vector<std::string> channels, OIIO::TypeDesc type,
              const std::vector<T> &samples) {
    auto out = OIIO::ImageOutput::create(path.string());
    ASSERT_TRUE(out);
    OIIO::ImageSpec header(width, height, static_cast<int>(channels.size()), type);
    header.channelnames = channels;
    header.alpha_channel = -1;
    for (std::size_t c = 0; c < channels.size(); ++c)
        if (channels[c] == "A")
            header.alpha_channel = static_cast<int>(c);
    if (std::string(out->format_name()) != "openexr")
        header.attribute("oiio:UnassociatedAlpha", 1);
    ASSERT_TRUE(out->open(path.string(), header)) << out->geterror();
    ASSERT_TRUE(out->write_image(type, samples.data())) << out->geterror();
    ASSERT_TRUE(out->close());
}

template <class T>
std::vector<T> readRaw(const fs::path &path, OIIO::TypeDesc type, int *channels = nullptr) {
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = OIIO::ImageInput::open(path.string(), &config);
    EXPECT_TRUE(in) << OIIO::geterror();
    if (!in)
        return {};
    const OIIO::ImageSpec &header = in->spec();
    if (channels)
        *channels = header.nchannels;
    std::vector<T> samples(std::size_t(header.width) * header.height * header.nchannels);
    EXPECT_TRUE(in->read_image(0, 0, 0, header.nchannels, type, samples.data()));
    return samples;
}

std::string failure(const std::function<void()> &f) {
    try {
        f();
    } catch (const std::runtime_error &e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return {};
}

TEST(ImageFiles, SixteenBitTiffComesInOnTheHostScaleAndGoesBackWithinAStep) {
    const fs::path in = scratch("in.tif"), out = scratch("out.tif");
    // Two RGBA pixels.
    writeRaw<std::uint16_t>(in, 2, 1, {"R", "G", "B", "A"}, OIIO::TypeDesc::UINT16,
                            {0, 1, 32768, 65535, 65535, 2, 3, 32767});
    const LoadedImage loaded = readImageFile(in.string());
    EXPECT_EQ(loaded.file.type, SampleType::UInt16);
    EXPECT_TRUE(loaded.file.alpha);
    EXPECT_FALSE(loaded.file.grey);
    ASSERT_EQ(loaded.image.format, PF_PixelFormat_ARGB64);
    const PF_Pixel16 *p = loaded.image.row<PF_Pixel16>(0);
    // 65535 -> 32768, 32768 -> 16384.25 -> 16384, 1 -> 0.5 -> 1, 2 -> 1, 3 -> 1.5 -> 2.
    EXPECT_EQ(p[0].red, 0);
    EXPECT_EQ(p[0].green, 1);
    EXPECT_EQ(p[0].blue, 16384);
    EXPECT_EQ(p[0].alpha, 32768);
    EXPECT_EQ(p[1].red, 32768);
    EXPECT_EQ(p[1].green, 1);
    EXPECT_EQ(p[1].blue, 2);
    EXPECT_EQ(p[1].alpha, 16384);

    writeImageFile(out.string(), loaded.image, loaded.file);
    int channels = 0;
    const std::vector<std::uint16_t> back = readRaw<std::uint16_t>(out, OIIO::TypeDesc::UINT16, &channels);
    EXPECT_EQ(channels, 4);
    // 1 -> 1.99997 -> 2; 16384 -> 32767.5 -> 32768; 2 -> 3.99994 -> 4.
    EXPECT_EQ(back, (std::vector<std::uint16_t>{0, 2, 32768, 65535, 65535, 2, 4, 32768}));
}

TEST(ImageFiles, GreyPngWithStraightAlphaIsTakenAsStored) {
    const fs::path in = scratch("grey.png"), out = scratch("out.png");
    writeRaw<std::uint8_t>(in, 2, 1, {"Y", "A"}, OIIO::TypeDesc::UINT8, {200, 100, 7, 0});
    const LoadedImage loaded = readImageFile(in.string());
    EXPECT_TRUE(loaded.file.grey);
    EXPECT_TRUE(loaded.file.alpha);
    ASSERT_EQ(loaded.image.format, PF_PixelFormat_ARGB32);
    const PF_Pixel8 *p = loaded.image.row<PF_Pixel8>(0);
    // Premultiplying would have made the grey 78 (200 x 100 / 255).
    EXPECT_EQ(p[0].red, 200);
    EXPECT_EQ(p[0].green, 200);
    EXPECT_EQ(p[0].blue, 200);
    EXPECT_EQ(p[0].alpha, 100);
    EXPECT_EQ(p[1].red, 7);
    EXPECT_EQ(p[1].alpha, 0);

    writeImageFile(out.string(), loaded.image, loaded.file);
    int channels = 0;
    EXPECT_EQ(readRaw<std::uint8_t>(out, OIIO::TypeDesc::UINT8, &channels),
              (std::vector<std::uint8_t>{200, 100, 7, 0}));
    EXPECT_EQ(channels, 2);
}

TEST(ImageFiles, RgbWithoutAlphaIsOpaqueAndStaysWithoutAlpha) {
    const fs::path in = scratch("rgb.png"), out = scratch("out.png");
    writeRaw<std::uint8_t>(in, 1, 1, {"R", "G", "B"}, OIIO::TypeDesc::UINT8, {10, 20, 30});
    const LoadedImage loaded = readImageFile(in.string());
    EXPECT_FALSE(loaded.file.alpha);
    const PF_Pixel8 p = loaded.image.row<PF_Pixel8>(0)[0];
    EXPECT_EQ(p.alpha, 255);
    EXPECT_EQ(p.red, 10);
    EXPECT_EQ(p.blue, 30);
    writeImageFile(out.string(), loaded.image, loaded.file);
    int channels = 0;
    EXPECT_EQ(readRaw<std::uint8_t>(out, OIIO::TypeDesc::UINT8, &channels), (std::vector<std::uint8_t>{10, 20, 30}));
    EXPECT_EQ(channels, 3);

    // A pixel that became transparent needs the alpha channel after all.
    embedhost::Image changed = loaded.image;
    changed.row<PF_Pixel8>(0)[0].alpha = 51;
    writeImageFile(out.string(), changed, loaded.file);
    EXPECT_EQ(readRaw<std::uint8_t>(out, OIIO::TypeDesc::UINT8, &channels),
              (std::vector<std::uint8_t>{10, 20, 30, 51}));
}

TEST(ImageFiles, ExrIsPremultipliedOnDiskAndStraightInTheHost) {
    const fs::path in = scratch("in.exr"), out = scratch("out.exr");
    writeRaw<float>(in, 2, 1, {"R", "G", "B", "A"}, OIIO::TypeDesc::FLOAT,
                    {0.25f, 0.5f, 0.125f, 0.5f, 0.75f, 0.0f, 1.5f, 0.0f});
    const LoadedImage loaded = readImageFile(in.string());
    EXPECT_EQ(loaded.file.type, SampleType::Float);
    ASSERT_EQ(loaded.image.format, PF_PixelFormat_ARGB128);
    const PF_PixelFloat *p = loaded.image.row<PF_PixelFloat>(0);
    EXPECT_EQ(p[0].red, 0.5f);
    EXPECT_EQ(p[0].green, 1.0f);
    EXPECT_EQ(p[0].blue, 0.25f);
    EXPECT_EQ(p[0].alpha, 0.5f);
    // No coverage: the colours stay as they are, out-of-range values included.
    EXPECT_EQ(p[1].red, 0.75f);
    EXPECT_EQ(p[1].blue, 1.5f);

    writeImageFile(out.string(), loaded.image, loaded.file);
    EXPECT_EQ(readRaw<float>(out, OIIO::TypeDesc::FLOAT),
              (std::vector<float>{0.25f, 0.5f, 0.125f, 0.5f, 0.75f, 0.0f, 1.5f, 0.0f}));
}

TEST(ImageFiles, DepthOverrideAndOutputFormatsThatCannotHoldTheDepth) {
    const fs::path in = scratch("in.png");
    writeRaw<std::uint8_t>(in, 1, 1, {"R", "G", "B"}, OIIO::TypeDesc::UINT8, {255, 128, 0});
    const LoadedImage as16 = readImageFile(in.string(), 16);
    ASSERT_EQ(as16.image.format, PF_PixelFormat_ARGB64);
    EXPECT_EQ(as16.image.row<PF_Pixel16>(0)[0].red, 32768);
    EXPECT_EQ(as16.image.row<PF_Pixel16>(0)[0].green, 16448); // 128 x 32768 / 255 = 16448.25
    const LoadedImage asFloat = readImageFile(in.string(), 32);
    EXPECT_EQ(asFloat.image.row<PF_PixelFloat>(0)[0].red, 1.0f);
    EXPECT_EQ(as16.file.type, SampleType::UInt8); // still written back as 8 bit

    // Float into PNG: 16 bit, clamped.
    embedhost::Image bright = embedhost::Image::make(1, 1, PF_PixelFormat_ARGB128);
    bright.row<PF_PixelFloat>(0)[0] = {1.0f, 2.0f, 0.5f, -1.0f};
    const fs::path png = scratch("float.png");
    writeImageFile(png.string(), bright, {SampleType::Float, false, false});
    EXPECT_EQ(readRaw<std::uint16_t>(png, OIIO::TypeDesc::UINT16), (std::vector<std::uint16_t>{65535, 32768, 0}));

    EXPECT_EQ(outputSampleType("png", SampleType::UInt8), SampleType::UInt8);
    EXPECT_EQ(outputSampleType("png", SampleType::Half), SampleType::UInt16);
    EXPECT_EQ(outputSampleType("jpeg", SampleType::UInt16), SampleType::UInt8);
    EXPECT_EQ(outputSampleType("openexr", SampleType::UInt8), SampleType::Half);
    EXPECT_EQ(outputSampleType("openexr", SampleType::Float), SampleType::Float);
    EXPECT_EQ(outputSampleType("tiff", SampleType::Half), SampleType::Half);
}

TEST(ImageFiles, FilesThatCannotBeUsedAreNamedInTheError) {
    const fs::path missing = scratch("missing.png");
    EXPECT_EQ(failure([&] { readImageFile(missing.string()); }),
              "cannot read image '" + missing.string() + "': no such file");
    const fs::path garbage = scratch("garbage.png");
    std::ofstream(garbage) << "not an image";
    EXPECT_NE(failure([&] { readImageFile(garbage.string()); }).find("cannot read image '" + garbage.string() + "'"),
              std::string::npos);
    // A PNG cut short is told as such, not by the library's own reader on the terminal.
    const fs::path whole = scratch("whole.png"), cut = scratch("cut.png");
    writeRaw<std::uint8_t>(whole, 2, 1, {"R", "G", "B"}, OIIO::TypeDesc::UINT8, {1, 2, 3, 4, 5, 6});
    std::ifstream wholeFile(whole, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(wholeFile), std::istreambuf_iterator<char>()};
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 20);
    EXPECT_EQ(failure([&] { readImageFile(cut.string()); }),
              "cannot read image '" + cut.string() + "': the file is cut short (it ends before its IEND chunk)");

    const embedhost::Image image = embedhost::Image::make(1, 1, PF_PixelFormat_ARGB32);
    const fs::path noFolder = scratch("no-such-folder") / "out.png";
    EXPECT_NE(failure([&] {
                  writeImageFile(noFolder.string(), image, {});
              }).find("cannot write image '" + noFolder.string() + "'"),
              std::string::npos);
    const fs::path unknown = scratch("out.unknown-extension");
    EXPECT_NE(failure([&] { writeImageFile(unknown.string(), image, {}); }).find("cannot write image"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(unknown));
    EXPECT_NE(failure([&] {
                  writeImageFile(scratch("empty.png").string(), embedhost::Image{}, {});
              }).find("the image is empty"),
              std::string::npos);
}

TEST(ImageFiles, AFailedWriteKeepsTheFileThatWasThere) {
    const fs::path out = scratch("kept.png");
    writeRaw<std::uint8_t>(out, 1, 1, {"R", "G", "B"}, OIIO::TypeDesc::UINT8, {1, 2, 3});
    embedhost::Image bad = embedhost::Image::make(1, 1, PF_PixelFormat_ARGB32);
    bad.format = 12345; // no pixel format the host knows
    EXPECT_NE(failure([&] { writeImageFile(out.string(), bad, {}); }), "");
    EXPECT_EQ(readRaw<std::uint8_t>(out, OIIO::TypeDesc::UINT8), (std::vector<std::uint8_t>{1, 2, 3}));
}

} // namespace

namespace {

TEST(ImageFiles, FoldersPartsAndAlphasThatAreNoNumber) {
    fs::create_directories(scratch("folder.png"));
    EXPECT_NE(failure([&] { readImageFile(scratch("folder.png").string()); }).find("it is a folder"),
              std::string::npos);

    // Alpha +inf and NaN: read as opaque, the colours as stored (not inf / inf).
    const fs::path exr = scratch("alpha.exr");
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    writeRaw<float>(exr, 2, 1, {"R", "G", "B", "A"}, OIIO::TypeDesc::FLOAT, {0.5f, 0.25f, 1, inf, 0.5f, 0, 0, nan});
    const LoadedImage loaded = readImageFile(exr.string());
    const PF_PixelFloat *px = reinterpret_cast<const PF_PixelFloat *>(loaded.image.pixels.data());
    EXPECT_EQ(px[0].alpha, 1.0f);
    EXPECT_EQ(px[0].red, 0.5f);
    EXPECT_EQ(px[0].blue, 1.0f);
    EXPECT_EQ(px[1].alpha, 1.0f);
    EXPECT_EQ(loaded.file.parts, 1);

    // Two parts (subimages): the first is read, the count told.
    const fs::path parts = scratch("parts.tif");
    auto out = OIIO::ImageOutput::create(parts.string());
    ASSERT_TRUE(out);
    OIIO::ImageSpec specs[2] = {OIIO::ImageSpec(1, 1, 3, OIIO::TypeDesc::FLOAT),
                                OIIO::ImageSpec(2, 2, 3, OIIO::TypeDesc::FLOAT)};
    specs[0].attribute("name", "beauty");
    specs[1].attribute("name", "other");
    const float one[3] = {0.25f, 0.5f, 0.75f}, four[12] = {};
    ASSERT_TRUE(out->open(parts.string(), 2, specs)) << out->geterror();
    ASSERT_TRUE(out->write_image(OIIO::TypeDesc::FLOAT, one));
    ASSERT_TRUE(out->open(parts.string(), specs[1], OIIO::ImageOutput::AppendSubimage));
    ASSERT_TRUE(out->write_image(OIIO::TypeDesc::FLOAT, four));
    ASSERT_TRUE(out->close());
    const LoadedImage first = readImageFile(parts.string());
    EXPECT_EQ(first.image.width, 1);
    EXPECT_EQ(first.file.parts, 2);
}

} // namespace
