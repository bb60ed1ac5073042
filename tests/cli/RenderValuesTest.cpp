// Pieces of `lumora render` that need no image files: gradient stops and their text form,
// frame ranges and '#' runs, the 16-bit scale conversions, cropping and the demo scene.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/CommandLine.h"
#include "cli/DemoScene.h"
#include "cli/FrameSequence.h"
#include "cli/GradientStops.h"
#include "cli/RenderSession.h"
#include "cli/SampleScale.h"

namespace {

using namespace lumora::cli;

std::string usageError(void (*f)(const std::string &), const std::string &arg) {
    try {
        f(arg);
    } catch (const UsageError &e) {
        return e.what();
    }
    ADD_FAILURE() << "no usage error for " << arg;
    return {};
}

void stops(const std::string &text) { parseGradientStops(text); }
void range(const std::string &text) { parseFrameRange(text); }
void run(const std::string &text) { findFrameRun(text); }

TEST(GradientStops, PositionsAndColorsInTheOrderGiven) {
    const std::vector<AEUtil::ColorFlag> s = parseGradientStops("0:#ffffff, 0.5:#32f8ff,1:0018FF");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].position, 0.0f);
    EXPECT_EQ(s[1].position, 0.5f);
    EXPECT_EQ(s[2].position, 1.0f);
    EXPECT_EQ(s[1].alpha, 255);
    EXPECT_EQ(s[1].red, 0x32);
    EXPECT_EQ(s[1].green, 0xf8);
    EXPECT_EQ(s[1].blue, 0xff);
    EXPECT_EQ(s[2].red, 0);
    EXPECT_EQ(s[2].green, 0x18);
    const std::vector<AEUtil::ColorFlag> reversed = parseGradientStops("1:#000000,0:#ffffff");
    EXPECT_EQ(reversed[0].position, 1.0f);
    EXPECT_EQ(reversed[1].red, 255);
}

TEST(GradientStops, MistakesNameTheStop) {
    EXPECT_EQ(usageError(stops, "0:#ffffff,0.5"),
              "option '--gradient': stop 2 '0.5' is not POSITION:#RRGGBB (e.g. 0.5:#32f8ff)");
    EXPECT_EQ(usageError(stops, "1.5:#ffffff"),
              "option '--gradient': stop 1 '1.5:#ffffff' has a position outside 0 to 1");
    EXPECT_EQ(usageError(stops, "-0.1:#ffffff"),
              "option '--gradient': stop 1 '-0.1:#ffffff' has a position outside 0 to 1");
    EXPECT_EQ(usageError(stops, "x:#ffffff"), "option '--gradient': stop 1 'x:#ffffff' has no number before ':'");
    EXPECT_EQ(usageError(stops, "0:#fffffg"),
              "option '--gradient': stop 1 '0:#fffffg' has no colour #RRGGBB after ':'");
    EXPECT_EQ(usageError(stops, "0:#fff"), "option '--gradient': stop 1 '0:#fff' has no colour #RRGGBB after ':'");
    EXPECT_NE(usageError(stops, "0:#ffffff,"), "");
    std::string many;
    for (int i = 0; i < 33; ++i) {
        if (i > 0)
            many += ',';
        many += "0.5:#101010";
    }
    EXPECT_EQ(usageError(stops, many),
              "option '--gradient': stop 33 '0.5:#101010' is one too many: a gradient holds at most 32 stops");
    many.resize(many.rfind(','));
    EXPECT_EQ(parseGradientStops(many).size(), 32u);
}

TEST(GradientStops, ValueHoldsTheStopsWithFreshIdsAndNoPreset) {
    const AEUtil::GradientData v = gradientValue(parseGradientStops("0:#ff0000,1:#0000ff"), "Mine");
    EXPECT_EQ(v.header, 0);
    EXPECT_STREQ(v.presetName, "Mine");
    EXPECT_EQ(v.current.count, 2);
    EXPECT_EQ(v.current.flag[0].id, 0);
    EXPECT_EQ(v.current.flag[1].id, 1);
    EXPECT_EQ(v.current.flag[2].id, -1);
    EXPECT_EQ(v.preset.count, 0);
}

TEST(GradientStops, ScanTextIsTheTextFormPaddedToTheScanLength) {
    const std::string text = gradientScanText(gradientValue(parseGradientStops("0:#ffffff,0.5:#32f8ff")));
    ASSERT_EQ(text.size(), 3960u);
    // Header, empty name, then the current list: count 2, flags word 0, 8 reserved bytes, and
    // the first flag (alpha, red, green, blue, position 0.0f, id 0, reserved 0).
    const std::string start = "00000000\t\t02,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,"
                              "ff,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,"
                              // second flag: 0.5f is 0x3f000000, little-endian; id 1
                              "ff,32,f8,ff,00,00,00,3f,01,00,00,00,00,00,00,00,"
                              // third slot: unused, id -1
                              "00,00,00,00,00,00,00,00,ff,ff,ff,ff,00,00,00,00,";
    EXPECT_EQ(text.substr(0, start.size()), start);
    const std::size_t end = text.find('\0');
    EXPECT_EQ(end, 10u + 3 * 1056);
    EXPECT_EQ(text.find_first_not_of('\0', end), std::string::npos);
}

TEST(HexColors, SixDigitsWithOrWithoutHash) {
    PF_Pixel p{};
    EXPECT_TRUE(parseHexColor("#0A141e", p));
    EXPECT_EQ(p.alpha, 255);
    EXPECT_EQ(p.red, 10);
    EXPECT_EQ(p.green, 20);
    EXPECT_EQ(p.blue, 30);
    EXPECT_TRUE(parseHexColor("ffffff", p));
    EXPECT_FALSE(parseHexColor("##ffffff", p));
    EXPECT_FALSE(parseHexColor("#ffffff0", p));
    EXPECT_FALSE(parseHexColor("", p));
}

TEST(FrameRanges, FirstToLastOrOneFrame) {
    FrameRange r = parseFrameRange("1-48");
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.last, 48);
    EXPECT_EQ(r.count(), 48);
    r = parseFrameRange("7");
    EXPECT_EQ(r.first, 7);
    EXPECT_EQ(r.count(), 1);
    EXPECT_EQ(parseFrameRange("0-0").count(), 1);
    EXPECT_EQ(usageError(range, "5-3"), "option '--frames': '5-3' ends before it starts");
    EXPECT_EQ(parseFrameRange("0-999999999").count(), 1000000000);
    for (const char *past : {"1000000000", "0-9223372036854775807", "9223372036854775807", "0-99999999999999999999"})
        EXPECT_NE(usageError(range, past).find("option '--frames': '"), std::string::npos) << past;
    const std::string malformed = "is not a frame range FIRST-LAST of whole numbers from 0 (e.g. 1-48)";
    EXPECT_NE(usageError(range, "-3").find(malformed), std::string::npos);
    EXPECT_NE(usageError(range, "1-").find(malformed), std::string::npos);
    EXPECT_NE(usageError(range, "a-b").find(malformed), std::string::npos);
    EXPECT_NE(usageError(range, "1-2-3").find(malformed), std::string::npos);
    EXPECT_NE(usageError(range, "1.5").find(malformed), std::string::npos);
}

TEST(FrameRuns, HashesBecomeZeroPaddedFrameNumbers) {
    const FramePattern p = findFrameRun("shots/a.####.exr");
    EXPECT_TRUE(p.isSequence());
    EXPECT_EQ(p.prefix, "shots/a.");
    EXPECT_EQ(p.suffix, ".exr");
    EXPECT_EQ(p.width, 4u);
    EXPECT_EQ(framePath(p, 12), "shots/a.0012.exr");
    EXPECT_EQ(framePath(p, 0), "shots/a.0000.exr");
    EXPECT_EQ(framePath(p, 12345), "shots/a.12345.exr");
    EXPECT_EQ(framePath(findFrameRun("#.png"), 3), "3.png");
    EXPECT_EQ(framePath(findFrameRun("f_##"), 7), "f_07");

    const FramePattern still = findFrameRun("still.png");
    EXPECT_FALSE(still.isSequence());
    EXPECT_EQ(framePath(still, 5), "still.png");
    EXPECT_EQ(usageError(run, "a##/b##.png"), "'a##/b##.png' holds more than one run of '#' for the frame number");
}

TEST(SampleScale, SixteenBitFilesAndTheHostScale) {
    EXPECT_EQ(hostFromFile16(65535), 32768);
    EXPECT_EQ(hostFromFile16(0), 0);
    EXPECT_EQ(hostFromFile16(1), 1);         // 0.500008 rounds up
    EXPECT_EQ(hostFromFile16(2), 1);         // 1.000015
    EXPECT_EQ(hostFromFile16(3), 2);         // 1.500023
    EXPECT_EQ(hostFromFile16(32767), 16384); // 16383.75
    EXPECT_EQ(hostFromFile16(32768), 16384); // 16384.25
    EXPECT_EQ(file16FromHost(32768), 65535);
    EXPECT_EQ(file16FromHost(0), 0);
    EXPECT_EQ(file16FromHost(1), 2);         // 1.99997
    EXPECT_EQ(file16FromHost(16384), 32768); // 32767.5, halves up
    EXPECT_EQ(file16FromHost(40000), 65535); // beyond the scale: clamped
}

TEST(SampleScale, RoundTripsStayWithinOneStep) {
    // File -> host -> file: off by at most 1 of 65535; host -> file -> host: exact.
    for (std::uint32_t v = 0; v <= 65535; ++v)
        ASSERT_LE(std::abs(int(file16FromHost(hostFromFile16(std::uint16_t(v)))) - int(v)), 1) << v;
    for (std::uint32_t h = 0; h <= 32768; ++h)
        ASSERT_EQ(hostFromFile16(file16FromHost(std::uint16_t(h))), h) << h;
}

TEST(SampleScale, OtherScalesAndFloats) {
    EXPECT_EQ(rescale(255, kFile8Max, kHost16Max), 32768u);
    EXPECT_EQ(rescale(1, kFile8Max, kHost16Max), 129u);     // 128.502
    EXPECT_EQ(rescale(128, kFile8Max, kHost16Max), 16448u); // 16448.25
    EXPECT_EQ(rescale(16384, kHost16Max, kFile8Max), 128u); // 127.5, halves up
    EXPECT_EQ(rescale(255, kFile8Max, kFile16Max), 65535u);
    EXPECT_EQ(rescale(1, kFile8Max, kFile16Max), 257u);
    EXPECT_EQ(quantise(0.5f, 255), 128u);
    EXPECT_EQ(quantise(0.25f, 32768), 8192u);
    EXPECT_EQ(quantise(-0.5f, 255), 0u);
    EXPECT_EQ(quantise(7.0f, 65535), 65535u);
    EXPECT_EQ(quantise(std::nanf(""), 255), 0u);
}

} // namespace

namespace {

using lumora::cli::cropOrPad;

embedhost::Image numbered(A_long width, A_long height) {
    embedhost::Image image = embedhost::Image::make(width, height, PF_PixelFormat_ARGB32);
    for (A_long y = 0; y < height; ++y)
        for (A_long x = 0; x < width; ++x)
            image.row<PF_Pixel8>(y)[x] = {255, A_u_char(10 * y + x), 0, 0};
    return image;
}

TEST(CropOrPad, InsideOutsideAndAcrossTheEdges) {
    const embedhost::Image source = numbered(3, 2); // reds 0 1 2 / 10 11 12
    embedhost::Image c = cropOrPad(source, 1, 0, 2, 2);
    ASSERT_EQ(c.width, 2);
    ASSERT_EQ(c.height, 2);
    EXPECT_EQ(c.row<PF_Pixel8>(0)[0].red, 1);
    EXPECT_EQ(c.row<PF_Pixel8>(1)[1].red, 12);

    // One row above and one column beyond the right edge: transparent there.
    c = cropOrPad(source, 1, -1, 3, 2);
    for (A_long x = 0; x < 3; ++x)
        EXPECT_EQ(c.row<PF_Pixel8>(0)[x].alpha, 0);
    EXPECT_EQ(c.row<PF_Pixel8>(1)[0].red, 1);
    EXPECT_EQ(c.row<PF_Pixel8>(1)[1].red, 2);
    EXPECT_EQ(c.row<PF_Pixel8>(1)[2].alpha, 0);

    c = cropOrPad(source, -2, 0, 3, 1);
    EXPECT_EQ(c.row<PF_Pixel8>(0)[1].alpha, 0);
    EXPECT_EQ(c.row<PF_Pixel8>(0)[2].red, 0);
    EXPECT_EQ(c.row<PF_Pixel8>(0)[2].alpha, 255);

    c = cropOrPad(source, 5, 5, 2, 2);
    for (std::uint8_t byte : c.pixels)
        EXPECT_EQ(byte, 0);
}

TEST(DemoScene, OpaqueDarkGroundWithBrightColoredShapes) {
    const embedhost::Image scene = lumora::cli::demoScene(256, 144, PF_PixelFormat_ARGB32);
    ASSERT_EQ(scene.width, 256);
    ASSERT_EQ(scene.height, 144);
    int bright = 0, warm = 0, cool = 0;
    for (A_long y = 0; y < scene.height; ++y)
        for (const PF_Pixel8 *p = scene.row<PF_Pixel8>(y); p != scene.row<PF_Pixel8>(y) + scene.width; ++p) {
            ASSERT_EQ(p->alpha, 255);
            bright += p->red > 200 && p->green > 200 && p->blue > 200;
            warm += p->red > 200 && p->blue < 80;
            cool += p->blue > 200 && p->red < 80;
        }
    EXPECT_GT(bright, 0);
    EXPECT_GT(warm, 0);
    EXPECT_GT(cool, 0);
    const PF_Pixel8 corner = scene.row<PF_Pixel8>(scene.height - 1)[0];
    EXPECT_LT(corner.red + corner.green + corner.blue, 60);
    // The same scene at every depth.
    const embedhost::Image deep = lumora::cli::demoScene(256, 144, PF_PixelFormat_ARGB64);
    EXPECT_EQ(deep.format, PF_PixelFormat_ARGB64);
}

} // namespace
