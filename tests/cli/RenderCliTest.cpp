// `lumora render` and `lumora demo` run as processes on small image files: untouched pixels
// without a glow, the exact glow of a uniform layer, a glow around a bright dot, gradients,
// sequences, depth layer files, and the error exits.
#include <gtest/gtest.h>

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "PngBytes.h"
#include "RunLumora.h"
#include "tests/support/FullDisk.h"

namespace {

namespace fs = std::filesystem;
using lumora::test::LumoraRun;
using lumora::test::runLumora;

// A fresh folder for the running test; user defaults and presets are looked for inside it.
fs::path folder() {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::path(LUMORA_TEST_TMPDIR) / (std::string("render-") + info->name());
    static std::string made;
    if (made != dir.string()) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        setenv("LUMORA_APPDATA_DIR", (dir / "appdata").c_str(), 1);
        setenv("LUMORA_SHARED_DOCUMENTS_DIR", (dir / "shared").c_str(), 1);
        made = dir.string();
    }
    return dir;
}

std::string file(const std::string &name) { return (folder() / name).string(); }

struct Pixels {
    int width = 0, height = 0, channels = 0;
    std::vector<float> v; // as OpenImageIO reads them: 0..1 for integer files
    float at(int x, int y, int c) const { return v[(std::size_t(y) * width + x) * channels + c]; }
};

void write(const std::string &path, const Pixels &p, OIIO::TypeDesc type) {
    auto out = OIIO::ImageOutput::create(path);
    ASSERT_TRUE(out);
    OIIO::ImageSpec header(p.width, p.height, p.channels, type);
    ASSERT_TRUE(out->open(path, header)) << out->geterror();
    ASSERT_TRUE(out->write_image(OIIO::TypeDesc::FLOAT, p.v.data())) << out->geterror();
    ASSERT_TRUE(out->close());
}

Pixels read(const std::string &path, OIIO::TypeDesc *type = nullptr) {
    Pixels p;
    OIIO::ImageSpec straight; // colours as the command writes them, not multiplied by alpha
    straight.attribute("oiio:UnassociatedAlpha", 1);
    auto in = OIIO::ImageInput::open(path, &straight);
    EXPECT_TRUE(in) << path << ": " << OIIO::geterror();
    if (!in)
        return p;
    const OIIO::ImageSpec &header = in->spec();
    p.width = header.width;
    p.height = header.height;
    p.channels = header.nchannels;
    if (type)
        *type = header.format;
    p.v.resize(std::size_t(p.width) * p.height * p.channels);
    EXPECT_TRUE(in->read_image(0, 0, 0, p.channels, OIIO::TypeDesc::FLOAT, p.v.data()));
    return p;
}

// Opaque RGBA with every channel different, so a swapped or shifted channel shows.
Pixels ramp(int width, int height) {
    Pixels p{width, height, 4, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            p.v.push_back(float(x) / float(width));
            p.v.push_back(float(y) / float(height));
            p.v.push_back(float((x * 7 + y * 3) % 17) / 16.0f);
            p.v.push_back(1.0f);
        }
    return p;
}

// Black RGB with a white 4 x 4 square whose top-left is (30, 22).
Pixels dot() {
    Pixels p{64, 48, 3, std::vector<float>(64 * 48 * 3, 0.0f)};
    for (int y = 22; y < 26; ++y)
        for (int x = 30; x < 34; ++x)
            for (int c = 0; c < 3; ++c)
                p.v[(std::size_t(y) * 64 + x) * 3 + c] = 1.0f;
    return p;
}

void expectSame(const Pixels &a, const Pixels &b, float tolerance) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    ASSERT_EQ(a.channels, b.channels);
    for (std::size_t i = 0; i < a.v.size(); ++i)
        ASSERT_NEAR(a.v[i], b.v[i], tolerance) << "sample " << i;
}

// 8-bit samples, exactly (as floats they pass through different conversions).
void expectSameBytes(const Pixels &a, const Pixels &b) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    ASSERT_EQ(a.channels, b.channels);
    for (std::size_t i = 0; i < a.v.size(); ++i)
        ASSERT_EQ(std::lround(a.v[i] * 255), std::lround(b.v[i] * 255))
            << "pixel (" << i / a.channels % a.width << ", " << i / a.channels / a.width << ") channel "
            << i % a.channels;
}

void expectRendered(const LumoraRun &r) { EXPECT_EQ(r.status, 0) << r.err; }

TEST(RenderCli, WithoutGlowEveryFormatComesBackUnchanged) {
    const Pixels one{1, 1, 4, {0.8f, 0.4f, 0.2f, 1.0f}};
    const Pixels small = ramp(64, 48);
    struct Case {
        std::string name;
        const Pixels &pixels;
        OIIO::TypeDesc type;
        float step; // one step of the host's scale at the file's depth
    } cases[] = {
        {"one.png", one, OIIO::TypeDesc::UINT8, 1.0f / 255},
        {"small.png", small, OIIO::TypeDesc::UINT8, 1.0f / 255},
        {"one.tif", one, OIIO::TypeDesc::UINT16, 2.0f / 65535},
        {"small.tif", small, OIIO::TypeDesc::UINT16, 2.0f / 65535},
        {"one.exr", one, OIIO::TypeDesc::FLOAT, 1.0f / 32768},
        {"small.exr", small, OIIO::TypeDesc::FLOAT, 1.0f / 32768},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        write(file(c.name), c.pixels, c.type);
        const LumoraRun r = runLumora({"render", file(c.name), file("out-" + c.name)}, c.name);
        expectRendered(r);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("note: Glow Intensity is 0, which adds no glow"), std::string::npos) << r.err;
        OIIO::TypeDesc type;
        const Pixels back = read(file("out-" + c.name), &type);
        EXPECT_EQ(type, c.type);
        expectSame(back, read(file(c.name)), c.step);
    }
}

// Settings whose image the arithmetic gives outright. Glow Intensity 0 removes the glow, so View
// Threshold leaves opaque black and View Extract transparent black; Opacity 0 leaves the layer
// as it was, and the whole glow area is twice the layer with the layer in its middle.
TEST(RenderCli, ViewsAndOpacityGiveTheImagesTheirArithmeticGives) {
    write(file("in.png"), ramp(20, 12), OIIO::TypeDesc::UINT8);
    const Pixels in = read(file("in.png")); // as the file holds it, on the 8-bit steps
    const auto filled = [](int w, int h, std::vector<float> pixel) {
        Pixels p{w, h, 4, {}};
        for (int i = 0; i < w * h; ++i)
            p.v.insert(p.v.end(), pixel.begin(), pixel.end());
        return p;
    };
    Pixels area = filled(40, 24, {0, 0, 0, 0});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            for (int c = 0; c < 4; ++c)
                area.v[(std::size_t(y + 6) * 40 + x + 10) * 4 + c] = in.at(x, y, c);
    const std::vector<std::string> glow = {"--glow-intensity", "3", "--glow-radius", "4", "--threshold", "0"};
    const struct {
        std::string name;
        std::vector<std::string> options;
        Pixels expected;
    } cases[] = {
        {"threshold", {"--view", "threshold"}, filled(20, 12, {0, 0, 0, 1})},
        {"extract", {"--view", "extract"}, filled(20, 12, {0, 0, 0, 0})},
        {"opacity", {"--opacity", "0"}, in},
        {"opacity-area", {"--opacity", "0", "--keep-area"}, area},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"render", file("in.png"), file(c.name + ".png")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        if (c.name.starts_with("opacity"))
            args.insert(args.end(), glow.begin(), glow.end());
        expectRendered(runLumora(args, c.name));
        expectSame(read(file(c.name + ".png")), c.expected, 0.0f);
    }
}

// The glow's 8-bit arithmetic written out stage by stage, for the golden images below. Colours are
// {red, green, blue} bytes; glow values are on the 16-bit scale, where 32768 is a full glow.
using Rgb = std::array<int, 3>;

// An opaque pixel's luminance, whole above the threshold and faded over the soft width below it.
int glowSource(const Rgb &c, double threshold, double soft) {
    const double v = 32768 * std::min(1.0, (c[1] * 0.586611 + c[0] * 0.298912 + c[2] * 0.114478) / 255);
    const int thr = int(threshold * 32768 / 100), width = int(soft * 32768 / 100);
    const int lo = std::max(thr - 1 - width, -1);
    if (v > thr - 1)
        return int(v + 0.5);
    return v > lo ? int((v - lo) / width * v + 0.5) : 0;
}

// Half a Gaussian, ceil(width) taps from the centre out, truncated to a total of 32768 (each side
// tap counts twice), with the shortfall handed out one step at a time from the centre outwards.
std::vector<int> kernel(double width) {
    const int k = int(std::ceil(width));
    std::vector<double> g(k);
    double sum = 0;
    for (int i = 0; i < k; ++i)
        sum += g[i] = std::exp(-0.5 * i * i / (width * width / 8));
    sum = 2 * sum - g[0];
    std::vector<int> w(k);
    int missing = 32768;
    for (int i = 0; i < k; ++i)
        missing -= (i ? 2 : 1) * (w[i] = int(g[i] / sum * 32768));
    for (int n = 0; missing > 1; ++n) {
        ++w[n % k];
        missing -= n % k ? 2 : 1;
    }
    w[0] += missing;
    return w;
}

// Every line of a plane through the kernel: `along` steps within a line, `next` from one line to
// the next. Taps that fall past a line's ends are left out of the weights.
void blurLines(std::vector<int> &plane, int lines, int length, int along, int next, const std::vector<int> &w) {
    const std::vector<int> s = plane;
    const int k = int(w.size());
    for (int line = 0; line < lines; ++line)
        for (int x = 0; x < length; ++x) {
            int acc = 0, total = 0;
            for (int j = std::max(0, x - k + 1); j <= std::min(length - 1, x + k - 1); ++j) {
                acc += w[std::abs(j - x)] * s[line * next + j * along];
                total += w[std::abs(j - x)];
            }
            plane[line * next + x * along] = (acc + total / 2) / total;
        }
}

int intensity(int v, double i) { return v ? int(std::log10(v / 32768.0 * i + 1) / std::log10(i + 1) * 32768) : 0; }

// A two-colour gradient from `strong` (a full glow) to `faint` (none), one channel.
int shade(int strong, int faint, int v) { return int(double(faint - strong) * (1 - v / 32768.0f) + strong); }

// One colour channel of a glow pixel (u, alpha q) put onto a layer pixel (p, alpha a of 0 or 255).
int composite(const std::string &mode, int p, int a, int u, int q) {
    if (q == 0) // no glow: the layer as it is
        return p;
    const int alpha = q + (255 - q) * a / 255, w = ((255 - q) * a) >> 8;
    const auto mix = [&](int r, int lower) { return q == 255 ? r : (r * q + lower * w) / (q + w); };
    if (mode == "normal")
        return mix(u, p);
    const int lower = p * a / 255; // add and screen work on premultiplied colours
    const int r =
        mode == "add" ? std::min(255, ((u * q) >> 8) + lower) : mix(((255 - u) * (lower - 255) + 65025) >> 8, lower);
    return std::min(255, int(r / (alpha / 255.0)));
}

std::string hex(const Rgb &c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", c[0], c[1], c[2]);
    return s;
}

// A uniform opaque layer: its glow source is a block in the middle of the glow area (twice the
// layer each way), blurred along rows and then columns, shaped by the intensity curve, coloured
// from the gradient and put onto the layer (transparent black outside it) with the blend mode.
TEST(RenderCli, AUniformLayerGlowsAsTheArithmeticOfEveryStageGives) {
    const int w = 8, h = 6;
    const struct {
        std::string name;
        Rgb layer;
        double radius, aspect, threshold, soft, intensity;
        std::string blend;
        Rgb strong, faint;
        bool keepArea;
    } cases[] = {
        {"add", {120, 100, 50}, 1, 0, 0, 0, 2, "add", {255, 192, 64}, {64, 64, 255}, false},
        {"screen", {200, 100, 50}, 2, 50, 50, 10, 3, "screen", {64, 255, 128}, {255, 0, 0}, false},
        {"normal", {60, 160, 220}, 0, -40, 30, 20, 1.5, "normal", {250, 250, 40}, {20, 90, 160}, false},
        {"add-area", {200, 160, 120}, 1, 0, 0, 0, 4, "add", {255, 128, 0}, {0, 128, 255}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Pixels in{w, h, 4, {}};
        for (int i = 0; i < w * h; ++i)
            in.v.insert(in.v.end(), {c.layer[0] / 255.0f, c.layer[1] / 255.0f, c.layer[2] / 255.0f, 1.0f});
        write(file(c.name + "-in.png"), in, OIIO::TypeDesc::UINT8);
        std::vector<std::string> args = {"render", file(c.name + "-in.png"), file(c.name + ".png"), "--blend-mode"};
        args.insert(args.end(), {c.blend, "--gradient", "0:" + hex(c.strong) + ",1:" + hex(c.faint)});
        const std::pair<std::string, double> numbers[] = {{"--glow-radius", c.radius},
                                                          {"--glow-aspect", c.aspect},
                                                          {"--threshold", c.threshold},
                                                          {"--threshold-soft", c.soft},
                                                          {"--glow-intensity", c.intensity}};
        for (const auto &[option, value] : numbers)
            args.insert(args.end(), {option, std::to_string(value)});
        if (c.keepArea)
            args.push_back("--keep-area");
        expectRendered(runLumora(args, c.name));

        const int aw = 2 * w, ah = 2 * h; // the glow area, the layer at (w / 2, h / 2)
        const auto layer = [&](int x, int y) { return x >= w / 2 && x < w / 2 + w && y >= h / 2 && y < h / 2 + h; };
        const int source = glowSource(c.layer, c.threshold, c.soft);
        std::vector<int> glow(std::size_t(aw) * ah);
        for (int i = 0; i < aw * ah; ++i)
            glow[i] = layer(i % aw, i / aw) ? source : 0;
        const double r = c.radius + 3, narrow = c.aspect / 100, wide = c.aspect * (std::sqrt(2.0) - 1) / 100;
        blurLines(glow, ah, aw, 1, aw, kernel(c.aspect > 0 ? (1 + wide) * r : (1 + narrow) * r + 2));
        blurLines(glow, aw, ah, aw, 1, kernel(c.aspect > 0 ? (1 - narrow) * r + 2 : (1 - wide) * r));

        const int left = c.keepArea ? 0 : w / 2, top = c.keepArea ? 0 : h / 2;
        Pixels expected{c.keepArea ? aw : w, c.keepArea ? ah : h, 4, {}};
        for (int y = top; y < top + expected.height; ++y)
            for (int x = left; x < left + expected.width; ++x) {
                const int a = layer(x, y) ? 255 : 0, v = intensity(glow[y * aw + x], c.intensity);
                const int q = (v * 255 + 16384) >> 15;
                for (int i = 0; i < 3; ++i) {
                    const int u = shade(c.strong[i], c.faint[i], v);
                    expected.v.push_back(composite(c.blend, a ? c.layer[i] : 0, a, u, q) / 255.0f);
                }
                expected.v.push_back((q + (255 - q) * a / 255) / 255.0f);
            }
        expectSameBytes(read(file(c.name + ".png")), expected);
    }
}

TEST(RenderCli, GlowBrightensAroundABrightDotAndFadesWithDistance) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    const LumoraRun r = runLumora({"render", file("dot.png"), file("glow.png"), "--glow-intensity", "2",
                                   "--glow-radius", "6", "--threshold", "50"});
    expectRendered(r);
    EXPECT_EQ(r.err.find("note:"), std::string::npos) << r.err;
    const Pixels glow = read(file("glow.png"));
    ASSERT_EQ(glow.width, 64);
    ASSERT_EQ(glow.height, 48);
    // Right of the square (last column 33), on one of its rows.
    const float near = glow.at(36, 23, 0), farther = glow.at(41, 23, 0), corner = glow.at(0, 0, 0);
    EXPECT_GT(near, 0.0f);
    EXPECT_GT(near, farther);
    EXPECT_GE(farther, corner);
    EXPECT_EQ(glow.at(31, 23, 1), 1.0f); // the dot itself stays white
    // The same glow spreads evenly to the left of the square (first column 30).
    EXPECT_NEAR(glow.at(27, 23, 0), glow.at(36, 23, 0), 2.0f / 255);
}

TEST(RenderCli, KeepAreaDownsampleAndClassicRender) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    const std::vector<std::string> look = {"--glow-intensity", "2", "--glow-radius", "6", "--threshold", "50"};
    auto render = [&](const std::string &out, std::vector<std::string> extra) {
        std::vector<std::string> args = {"render", file("dot.png"), file(out)};
        args.insert(args.end(), look.begin(), look.end());
        args.insert(args.end(), extra.begin(), extra.end());
        expectRendered(runLumora(args, out));
        return read(file(out));
    };
    const Pixels smart = render("smart.png", {});
    // The whole area: twice the layer, the layer in its middle.
    const Pixels area = render("area.png", {"--keep-area"});
    ASSERT_EQ(area.width, 128);
    ASSERT_EQ(area.height, 96);
    EXPECT_EQ(area.at(36 + 32, 23 + 24, 0), smart.at(36, 23, 0));
    EXPECT_EQ(area.at(31 + 32, 23 + 24, 1), 1.0f);

    const Pixels half = render("half.png", {"--downsample", "2"});
    EXPECT_EQ(half.width, 32);
    EXPECT_EQ(half.height, 24);

    const Pixels classic = render("classic.png", {"--classic"});
    expectSame(classic, smart, 0.0f);
}

TEST(RenderCli, GradientFromTheCommandLineOrAPreset) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    const fs::path presets = folder() / "shared" / "NORIK" / "Vantu";
    fs::create_directories(presets);
    std::ofstream(presets / "LumoraColorSet.col") << "[Soft]\ncolor = (255, 255, 255), 0.0000000\n\n\n"
                                                     "[Red]\ncolor = (255,   0,   0), 0.0000000\n"
                                                     "color = (255,   0,   0), 1.0000000\n";
    const std::vector<std::string> look = {"--glow-intensity", "2", "--glow-radius", "6", "--threshold", "50"};
    auto render = [&](const std::string &out, std::vector<std::string> extra) {
        std::vector<std::string> args = {"render", file("dot.png"), file(out)};
        args.insert(args.end(), look.begin(), look.end());
        args.insert(args.end(), extra.begin(), extra.end());
        return runLumora(args, out);
    };
    // A one-colour gradient colours the glow (added onto black) in that colour alone.
    expectRendered(render("red.png", {"--gradient-preset", "Red"}));
    Pixels p = read(file("red.png"));
    EXPECT_GT(p.at(36, 23, 0), 0.0f);
    EXPECT_EQ(p.at(36, 23, 1), 0.0f);
    EXPECT_EQ(p.at(36, 23, 2), 0.0f);
    expectRendered(render("green.png", {"--gradient", "0:#00ff00,1:#00ff00"}));
    p = read(file("green.png"));
    EXPECT_EQ(p.at(36, 23, 0), 0.0f);
    EXPECT_GT(p.at(36, 23, 1), 0.0f);
    EXPECT_EQ(p.at(36, 23, 2), 0.0f);

    const LumoraRun missing = render("none.png", {"--gradient-preset", "Blue"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no gradient preset 'Blue' in "), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("presets: 'Soft', 'Red'"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(file("none.png")));

    // Many presets: a few names, not the whole file; no file at all: said so.
    std::ofstream many(presets / "LumoraColorSet.col");
    for (int i = 0; i < 2000; ++i)
        many << "[a" << i << "]\n";
    many.close();
    LumoraRun r = render("none.png", {"--gradient-preset", "Blue"});
    EXPECT_NE(r.err.find("presets: 'a0', 'a1', 'a2', 'a3', 'a4' and 1995 more\n"), std::string::npos) << r.err;
    fs::remove(presets / "LumoraColorSet.col");
    r = render("none.png", {"--gradient-preset", "Blue"});
    EXPECT_NE(
        r.err.find("the preset file " + (presets / "LumoraColorSet.col").string() + " cannot be read (No such file"),
        std::string::npos)
        << r.err;
}

TEST(RenderCli, SequencesExpandTheRunOfHashes) {
    for (int frame : {1, 2})
        write(file("in." + std::string(frame == 1 ? "0001" : "0002") + ".png"), Pixels{1, 1, 3, {0.2f, 0.4f, 0.6f}},
              OIIO::TypeDesc::UINT8);
    LumoraRun r = runLumora({"render", file("in.####.png"), file("out.##.png"), "--frames", "1-2"});
    expectRendered(r);
    EXPECT_EQ(read(file("out.01.png")).v, read(file("in.0001.png")).v);
    EXPECT_TRUE(fs::exists(file("out.02.png")));

    r = runLumora({"render", file("in.####.png"), file("more.##.png"), "--frames", "1-3"}, "missing");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("input frame 3 is missing: '" + file("in.0003.png") + "'"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file("more.01.png")));

    r = runLumora({"render", file("in.####.png"), file("out.png")}, "no-frames");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("give the frames with --frames A-B"), std::string::npos) << r.err;
    r = runLumora({"render", file("in.####.png"), file("out.png"), "--frames", "1-2"}, "one-out");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("OUT needs a run of '#'"), std::string::npos) << r.err;
}

TEST(RenderCli, ErrorsExitWithAClearMessageAndWriteNothing) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    LumoraRun r = runLumora({"render", file("absent.png"), file("out.png")}, "absent");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("lumora: cannot read image '" + file("absent.png") + "': no such file"), std::string::npos)
        << r.err;

    r = runLumora({"render", file("dot.png"), file("out.png"), "--glow-radus", "5"}, "typo");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown option '--glow-radus'; did you mean '--glow-radius'?"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: lumora render"), std::string::npos) << r.err;

    r = runLumora({"render", file("dot.png"), file("out.png"), "--threshold", "101"}, "range");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("'--threshold': 101 is outside the range 0 to 100"), std::string::npos) << r.err;

    r = runLumora({"render", file("dot.png"), file("no-such-folder/out.png")}, "unwritable");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write image '" + file("no-such-folder/out.png") + "'"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file("out.png")));
}

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RenderCli, AFullDiskKeepsTheFileThatWasThereInEveryFormat) {
    lumora::test::FullDisk disk(file("disk"), 256 * 1024);
    LUMORA_NEED_FULL_DISK(disk);
    write(file("ramp.png"), ramp(256, 192), OIIO::TypeDesc::UINT8);
    for (const char *name : {"old.png", "old.jpg", "old.tif", "old.exr"}) {
        SCOPED_TRACE(name);
        const std::string out = file("disk/") + name;
        write(out, dot(), OIIO::TypeDesc::UINT8);
        const std::string before = contents(out);
        // What is left of the disk holds the old file, not the new one.
        std::ofstream(file("disk/filler"), std::ios::binary) << std::string(256 * 1024 - before.size() - 8192, 'f');
        const LumoraRun r = runLumora({"render", file("ramp.png"), out, "--glow-intensity", "1"}, name);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
        EXPECT_EQ(contents(out), before);
        fs::remove(file("disk/filler"));
        fs::remove(out);
        EXPECT_TRUE(fs::is_empty(file("disk"))); // no temporary left either
    }
}

TEST(RenderCli, TwoRendersToOneFileLeaveOneOfThemWhole) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    const std::vector<std::string> a{"--glow-intensity", "1", "--glow-radius", "4"};
    const std::vector<std::string> b{"--glow-intensity", "3", "--glow-radius", "9"};
    auto render = [&](const std::vector<std::string> &settings, const std::string &out, const std::string &tag) {
        std::vector<std::string> args{"render", file("dot.png"), out};
        args.insert(args.end(), settings.begin(), settings.end());
        EXPECT_EQ(runLumora(args, tag).status, 0);
    };
    render(a, file("a.png"), "a");
    render(b, file("b.png"), "b");
    for (int round = 0; round < 4; ++round) {
        std::thread first(render, a, file("shared.png"), "first" + std::to_string(round));
        std::thread second(render, b, file("shared.png"), "second" + std::to_string(round));
        first.join();
        second.join();
        const std::string got = contents(file("shared.png"));
        EXPECT_TRUE(got == contents(file("a.png")) || got == contents(file("b.png")));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 4); // no temporaries
}

TEST(RenderCli, HeadersClaimingMoreThanTheFileOrTheMemoryAreRefusedBeforeReading) {
    std::ofstream(file("huge.png"), std::ios::binary) << lumora::test::pngClaiming(30000, 30000);
    LumoraRun r = lumora::test::runLumoraMeasured({"render", file("huge.png"), file("out.png")}, "huge");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("its header claims 30000 x 30000 pixels, more than its 8 bytes of image data can hold"),
              std::string::npos)
        << r.err;
    // Told from the header alone: the image library is not even loaded.
    EXPECT_GT(r.peakKilobytes, 0);
    EXPECT_LT(r.peakKilobytes, 100 * 1024);

    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    r = runLumora({"render", file("dot.png"), file("out.png"), "--max-memory", "4K"}, "budget");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("needs about"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("(--max-memory)"), std::string::npos) << r.err;
    r = runLumora({"render", file("dot.png"), file("out.png"), "--max-memory", "500K"}, "frame");
    EXPECT_NE(r.err.find("rendering a 64 x 48 frame needs about"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(file("out.png")));
}

TEST(RenderCli, SettingsTheEffectIgnoresAreNotedAndTheBuiltInDefaultsRender) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    fs::create_directories(folder() / "appdata" / "NORIK" / "Vantu");
    std::ofstream(folder() / "appdata" / "NORIK" / "Vantu" / "Lumora.ini") << "[Version=1.0]\nView=2\nBlend Mode=2\n";
    const LumoraRun r = runLumora({"render", file("dot.png"), file("out.png"), "--glow-intensity", "2"});
    expectRendered(r);
    EXPECT_NE(r.err.find("Lumora.ini: 'View=2' is not one of the menu's entries; the built-in default is used"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("'Blend Mode=2' is not one of the menu's entries"), std::string::npos) << r.err;
    EXPECT_GT(read(file("out.png")).at(36, 23, 0), read(file("dot.png")).at(36, 23, 0)); // a glow, added
}

TEST(RenderCli, AnInterruptedSequenceEndsAsTerminatedAndLeavesOnlyWholeFrames) {
    const Pixels frame = ramp(400, 300);
    for (int i = 1; i <= 40; ++i)
        write(file("in." + std::to_string(100 + i).substr(1) + ".png"), frame, OIIO::TypeDesc::UINT16);
    const LumoraRun r = runLumora({"render", file("in.##.png"), file("out.##.png"), "--frames", "1-40",
                                   "--glow-intensity", "2", "--glow-radius", "300", "--threads", "1"},
                                  "term", 1500);
    EXPECT_EQ(r.status, 128 + SIGTERM) << r.err;
    int written = 0;
    for (const fs::directory_entry &e : fs::directory_iterator(folder())) {
        const std::string name = e.path().filename().string();
        EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
        if (name.rfind("out.", 0) == 0) {
            ++written;
            EXPECT_EQ(read(e.path().string()).width, 400) << name; // whole, readable
        }
    }
    EXPECT_LT(written, 40);
}

TEST(RenderCli, DepthLayerFilesAreCheckedBeforeAnythingRenders) {
    write(file("dot.png"), dot(), OIIO::TypeDesc::UINT8);
    std::ofstream(file("out.png")) << "earlier";
    LumoraRun r = runLumora(
        {"render", file("dot.png"), file("out.png"), "--enable-depth-effects", "--depth-layer", file("absent.png")},
        "absent");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("option '--depth-layer': cannot read image '" + file("absent.png") + "': no such file"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(contents(file("out.png")), "earlier");

    std::ofstream(file("garbage.png")) << "not an image";
    r = runLumora({"render", file("dot.png"), file("out.png"), "--depth-layer", file("garbage.png")}, "garbage");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("option '--depth-layer': cannot read image '" + file("garbage.png") + "'"), std::string::npos)
        << r.err;
    EXPECT_EQ(contents(file("out.png")), "earlier");

    // Frames 1 and 2 of IN, frame 1 only of the depth sequence.
    for (const char *name : {"in.01.png", "in.02.png", "depth.1.png"})
        write(file(name), Pixels{2, 1, 3, {0.2f, 0.4f, 0.6f, 0.1f, 0.3f, 0.5f}}, OIIO::TypeDesc::UINT8);
    r = runLumora({"render", file("in.##.png"), file("seq.##.png"), "--frames", "1-2", "--enable-depth-effects",
                   "--depth-layer", file("depth.#.png")},
                  "short");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("option '--depth-layer': frame 2 is missing: '" + file("depth.2.png") + "'"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(file("seq.01.png")));

    r = runLumora({"render", file("in.01.png"), file("one.png"), "--depth-layer", file("depth.#.png")}, "single");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("needs IN to be a sequence too"), std::string::npos) << r.err;
}

TEST(RenderCli, DepthLayerPerFrameAndTheNoteWhenDepthEffectsAreOff) {
    for (const char *name : {"in.1.png", "in.2.png", "depth.1.png", "depth.2.png"})
        write(file(name), Pixels{2, 1, 3, {0.2f, 0.4f, 0.6f, 0.1f, 0.3f, 0.5f}}, OIIO::TypeDesc::UINT8);
    const std::string note = "note: Enable Depth Effects is off, so the depth layer is not used";
    LumoraRun r = runLumora(
        {"render", file("in.#.png"), file("out.#.png"), "--frames", "1-2", "--depth-layer", file("depth.#.png")},
        "off");
    expectRendered(r);
    EXPECT_NE(r.err.find(note), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(file("out.2.png")));

    // The tint with or without its '#' and every depth control, through the classic path.
    for (const std::string tint : {"#ff8000", "ff8000"}) {
        const std::string out = tint[0] == '#' ? "hash" : "bare";
        r = runLumora({"render",
                       file("in.#.png"),
                       file(out + ".#.png"),
                       "--frames",
                       "1-2",
                       "--enable-depth-effects",
                       "on",
                       "--depth-layer",
                       file("depth.#.png"),
                       "--depth-tint",
                       tint,
                       "--center-position",
                       "30",
                       "--depth-bias",
                       "10",
                       "--depth-radius",
                       "4",
                       "--depth-intensity",
                       "2",
                       "--glow-intensity",
                       "1",
                       "--classic"},
                      out);
        expectRendered(r);
        EXPECT_EQ(r.err.find(note), std::string::npos) << r.err;
        EXPECT_TRUE(fs::exists(file(out + ".1.png")));
        EXPECT_TRUE(fs::exists(file(out + ".2.png")));
    }
}

TEST(RenderCli, DemoWritesTheSceneAtTheSizeAsked) {
    const LumoraRun r = runLumora({"demo", file("demo.png"), "--width", "96", "--height", "54"});
    expectRendered(r);
    EXPECT_EQ(r.out, "wrote " + file("demo.png") + " (96 x 54)\n");
    const Pixels p = read(file("demo.png"));
    EXPECT_EQ(p.width, 96);
    EXPECT_EQ(p.height, 54);
    EXPECT_EQ(p.channels, 3);
}

} // namespace
