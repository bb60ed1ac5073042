// The colour bar in an effect panel of the embedded host: what clicks, drags, the colour picker
// and the preset menu do to the value, and what the drawing shows where the geometry puts it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "colorbar/ColorBarGeometry.h"
#include "colorbar/GradientSampling.h"
#include "colorbar/data/PresetFile.h"
#include "embedhost/Drawbot.h"
#include "embedhost/EffectPanel.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"
#include "tests/support/TestFolders.h"

namespace {

using namespace AEUtil;
using embedhost::EffectPanel;

struct Stop {
    A_u_char grey;
    float position;
};

class ColorBarEdit : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = std::make_unique<embedhost::Host>(embedhost::Plugin::linked(&EntryPointFunc));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
        for (PF_ParamIndex i = 1; i < host_->params().count(); ++i)
            if (host_->params().definition(i).param_type == PF_Param_ARBITRARY_DATA)
                index_ = i;
        ASSERT_GT(index_, 0);
    }
    void TearDown() override {
        panel_.reset();
        host_->tearDown();
    }

    void open(A_long width = 400) {
        embedhost::PanelOptions options;
        options.width = width;
        options.callbacks.pickColor = [this](const std::string &title, const PF_PixelFloat &sample) {
            titles_.push_back(title);
            samples_.push_back(sample);
            return pick_;
        };
        options.callbacks.chooseMenuItem = [this](const std::vector<embedhost::PanelMenuItem> &items, PF_Point) {
            menu_ = items;
            return choice_;
        };
        options.callbacks.askText = [this](const std::string &, const std::string &) { return typed_; };
        panel_ = std::make_unique<EffectPanel>(*host_, index_, options);
    }
    void setStops(std::initializer_list<Stop> stops) {
        GradientData v;
        initEmptyGradient(v);
        for (const Stop &s : stops)
            appendColorFlag(v.current, ColorFlag{255, s.grey, s.grey, s.grey, s.position, -1, 0});
        std::vector<std::uint8_t> flat(sizeof v);
        std::memcpy(flat.data(), &v, sizeof v);
        ASSERT_EQ(host_->params().unflattenArbitrary(index_, flat), PF_Err_NONE);
    }
    GradientData value() {
        std::vector<std::uint8_t> flat;
        EXPECT_EQ(host_->params().flattenArbitrary(index_, &flat), PF_Err_NONE);
        GradientData v;
        std::memcpy(&v, flat.data(), sizeof v);
        return v;
    }
    static std::vector<float> collect(const ColorFlagList &list) {
        std::vector<float> p;
        for (A_long i = 0; i < usedFlagCount(list); ++i)
            p.push_back(list.flag[i].position);
        return p;
    }
    ColorBarGeometry geometry() const { return ColorBarGeometry(panel_->frame()); }
    A_long at(float position) const { return geometry().markerCentre(position); }

    // Press and release at one point, as a click with no movement.
    void click(A_long h, A_long v, PF_Modifiers mods = PF_Mod_NONE, A_long clicks = 1) {
        ASSERT_EQ(panel_->click(h, v, mods, clicks).err, PF_Err_NONE);
        if (panel_->dragging()) {
            ASSERT_EQ(panel_->release(h, v).err, PF_Err_NONE);
        }
    }
    // Press at the first point, move through the others, release at the last.
    embedhost::PanelEventResult drag(const std::vector<PF_Point> &path, PF_Modifiers mods = PF_Mod_NONE) {
        auto p = path.begin();
        embedhost::PanelEventResult r = panel_->click(p->h, p->v, mods, 1);
        for (++p; p != path.end() && panel_->dragging(); ++p)
            r = p + 1 == path.end() ? panel_->release(p->h, p->v) : panel_->drag(p->h, p->v);
        return r;
    }

    std::unique_ptr<embedhost::Host> host_;
    PF_ParamIndex index_ = 0;
    std::unique_ptr<EffectPanel> panel_;
    std::optional<PF_PixelFloat> pick_;
    std::vector<std::string> titles_;
    std::vector<PF_PixelFloat> samples_;
    std::vector<embedhost::PanelMenuItem> menu_;
    std::uint32_t choice_ = 0;
    std::optional<std::string> typed_;
};

constexpr A_long kRow = 71; // through the markers

TEST_F(ColorBarEdit, ANarrowFramePaintsTheWhole209PixelBarAndMarkersWhereTheGeometrySays) {
    if (!embedhost::Drawbot::available())
        GTEST_SKIP() << "this host was built without its drawing suites";
    setStops({{255, 0.0f}, {40, 0.5f}, {120, 1.0f}});
    open(200);
    ASSERT_EQ(panel_->draw().err, PF_Err_NONE);
    const embedhost::Image &image = panel_->image();
    const ColorBarGeometry g = geometry();
    ASSERT_EQ(g.barWidth(), 209);
    std::vector<std::uint32_t> row(209);
    rasterizeGradient(value().current, row.data(), 209);
    // The bar's rows start at T+33; columns from x0, clipped only by the frame's right edge.
    for (A_long x = g.x0(); x < image.width; ++x)
        for (A_long y : {33, 45, 58}) {
            const PF_Pixel8 p = image.row<PF_Pixel8>(y)[x];
            const std::uint32_t want = row[static_cast<std::size_t>(x - g.x0())];
            ASSERT_EQ(p.blue, want & 0xFF) << x << "," << y;
            ASSERT_EQ(p.red, (want >> 16) & 0xFF) << x << "," << y;
        }
    // Markers on 208 steps: the middle flag's body, filled with its colour.
    const A_long cx = g.markerCentre(0.5f);
    EXPECT_EQ(cx, 15 + 104);
    for (A_long y = 68; y <= 74; ++y)
        EXPECT_EQ(image.row<PF_Pixel8>(y)[cx].green, 40) << y;
}

TEST_F(ColorBarEdit, DoubleClickRecoloursEverySelectedFlag) {
    setStops({{10, 0.1f}, {20, 0.5f}, {30, 0.9f}, {40, 1.0f}});
    open();
    click(at(0.1f), kRow);
    click(at(0.5f), kRow, PF_Mod_CMD_CTRL_KEY);
    click(at(0.9f), kRow, PF_Mod_CMD_CTRL_KEY);
    pick_ = PF_PixelFloat{1.0f, 1.0f, 0.5f, 0.0f};
    click(at(0.5f), kRow, PF_Mod_NONE, 2);
    ASSERT_EQ(titles_, std::vector<std::string>{"Replace Color"});
    EXPECT_FLOAT_EQ(samples_[0].red, std::round(20 * 32768.0 / 255) / 32768);
    const GradientData v = value();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((std::array{v.current.flag[i].red, v.current.flag[i].green}), (std::array<A_u_char, 2>{255, 128}))
            << i;
    EXPECT_EQ(v.current.flag[3].red, 40) << "not selected";
}

TEST_F(ColorBarEdit, DragsMoveTheSelectionAsAGroupAndTakeItOffBelowTheBar) {
    struct Case {
        std::vector<PF_Point> path; // the flags at 0.1 (marker x) and 0.3 (x + 74) are selected
        std::vector<float> expected;
        const char *why;
    };
    const A_long x = 15 + 37; // the marker of 0.1: 15 + trunc(369 * 0.1 + 0.5)
    const A_long below = 83 + 13;
    for (const Case &c : std::vector<Case>{
             {{{x + 74, kRow}, {x - 37, kRow}}, {0.0f, 0.2f, 0.9f}, "0.3 to the left moves the group by 0.1 only"},
             {{{x, kRow}, {x, below}}, {0.9f}, "released below the bar: removed"},
             {{{x, kRow}, {x, below}, {x + 37, kRow}},
              {0.1f + 37 / 370.0f, 0.3f + 37 / 370.0f, 0.9f},
              "back above and sideways: snapshot plus the new offset"},
             {{{x, kRow}, {x, below}, {x, kRow}}, {0.1f, 0.3f, 0.9f}, "back where they started"}}) {
        setStops({{1, 0.1f}, {2, 0.3f}, {3, 0.9f}});
        open();
        click(x, kRow);
        click(at(0.3f), kRow, PF_Mod_CMD_CTRL_KEY);
        EXPECT_EQ(drag(c.path).err, PF_Err_NONE) << c.why;
        const std::vector<float> got = collect(value().current);
        ASSERT_EQ(got.size(), c.expected.size()) << c.why;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.expected[i], 1e-6) << c.why << " #" << i;
    }
}

TEST_F(ColorBarEdit, CtrlShiftDuplicatesTheSelectionUpTo32Flags) {
    for (const A_long count : {30, 31}) {
        GradientData v;
        initEmptyGradient(v);
        for (A_long i = 0; i < count; ++i)
            appendColorFlag(v.current, ColorFlag{255, 9, 9, 9, i / 40.0f, -1, 0});
        std::vector<std::uint8_t> flat(sizeof v);
        std::memcpy(flat.data(), &v, sizeof v);
        ASSERT_EQ(host_->params().unflattenArbitrary(index_, flat), PF_Err_NONE);
        open();
        const A_long x0 = at(0.0f), x1 = at(1 / 40.0f);
        click(x0, kRow);
        click(x1, kRow, PF_Mod_CMD_CTRL_KEY);
        const embedhost::PanelEventResult r =
            drag({{x1, kRow}, {x1 + 100, kRow}, {x1 + 100, kRow}}, PF_Mod_CMD_CTRL_KEY | PF_Mod_SHIFT_KEY);
        const GradientData after = value();
        if (count == 31) {
            EXPECT_EQ(after.current.count, 31);
            EXPECT_NE(panel_->lastMessage().find("Maximum number of colorflag exceeded."), std::string::npos);
        } else {
            ASSERT_EQ(after.current.count, 32) << r.message;
            EXPECT_NEAR(after.current.flag[30].position, 0.0f + 100 / 370.0f, 1e-6) << "the copies follow the mouse";
            EXPECT_NEAR(after.current.flag[0].position, 0.0f, 1e-6) << "the originals stay";
        }
    }
}

TEST_F(ColorBarEdit, ClickingTheBarsLeftEndInsertsAFlagThereInTheBarsColour) {
    setStops({{200, 0.5f}, {0, 1.0f}});
    open();
    pick_ = std::nullopt;
    click(2, 62);
    ASSERT_EQ(titles_, std::vector<std::string>{"Insert Color"});
    EXPECT_FLOAT_EQ(samples_[0].green, std::round(200 * 32768.0 / 255) / 32768) << "left of the first flag";
    EXPECT_EQ(value().current.count, 2) << "cancelled: nothing inserted";
    pick_ = samples_[0];
    click(2, 62);
    const GradientData v = value();
    ASSERT_EQ(v.current.count, 3);
    EXPECT_EQ(v.current.flag[2].position, 0.0f);
    EXPECT_EQ(v.current.flag[2].red, 200);
}

TEST_F(ColorBarEdit, CtrlClickTogglesOnReleaseOnlyWithOthersSelected) {
    if (!embedhost::Drawbot::available())
        GTEST_SKIP() << "this host was built without its drawing suites";
    struct Case {
        bool both;
        PF_Modifiers mods;
        bool stillSelected;           // the flag at 0.2, shown by its halo left of the marker
        std::vector<float> afterDrag; // dragging the flag at 0.5 (or 0.2 alone) right by 37 px
        const char *why;
    };
    const float step = 37 / 370.0f;
    for (const Case &c : {Case{true, PF_Mod_CMD_CTRL_KEY, false, {0.2f, 0.5f + step}, "the Ctrl-clicked one left"},
                          Case{false, PF_Mod_CMD_CTRL_KEY, true, {0.2f + step}, "alone it stays selected"},
                          Case{true,
                               PF_Mod_CMD_CTRL_KEY | PF_Mod_CAPS_LOCK_KEY,
                               true,
                               {0.2f + step, 0.5f + step},
                               "Caps Lock: a plain click"}}) {
        setStops({{1, 0.2f}, {2, 0.5f}});
        open();
        click(at(0.2f), kRow);
        if (c.both)
            click(at(0.5f), kRow, PF_Mod_CMD_CTRL_KEY);
        click(at(0.2f), kRow, c.mods);
        ASSERT_EQ(panel_->draw().err, PF_Err_NONE);
        const PF_Pixel8 halo = panel_->image().row<PF_Pixel8>(kRow)[at(0.2f) - 6];
        EXPECT_EQ(halo.blue > 0x80, c.stillSelected) << c.why << ": blue " << int(halo.blue);
        const A_long from = c.both ? at(0.5f) : at(0.2f);
        drag({{from, kRow}, {from + 37, kRow}});
        std::vector<float> got = collect(value().current);
        if (!c.both)
            got.resize(1);
        ASSERT_EQ(got.size(), c.afterDrag.size()) << c.why;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.afterDrag[i], 1e-6) << c.why;
    }
}

TEST_F(ColorBarEdit, ThePresetMenuShowsAmpersandsAndAppliesTheChoice) {
#ifdef _WIN32
    GTEST_SKIP() << "the system's menu and prompt: tests/platform drives them";
#endif
    lumora::test::ScratchFolder folder("colorbar-menu");
    lumora::test::ScopedEnv shared("LUMORA_SHARED_DOCUMENTS_DIR", folder.path());
    char path[kPresetPathSize];
    ASSERT_TRUE(presetFilePath(kPresetFileName, path));
    PresetRecord warm{};
    std::strcpy(warm.name, "Warm & soft");
    initColorFlagList(warm.list);
    appendColorFlag(warm.list, ColorFlag{255, 250, 100, 0, 0.25f, -1, 0});
    ASSERT_TRUE(writePresetFile(path, {warm}));
    setStops({{1, 0.2f}});
    open();
    choice_ = 1;
    click(40, 15);
    ASSERT_EQ(menu_.size(), 1u);
    EXPECT_EQ(menu_[0].label, "Warm && soft");
    const GradientData v = value();
    EXPECT_STREQ(v.presetName, "Warm & soft");
    EXPECT_EQ(v.current.flag[0].red, 250);

    // A name of 300 bytes from the prompt is cut to the field's 259.
    typed_ = std::string(300, 'n');
    click(400 - 115, 15);
    EXPECT_EQ(std::strlen(value().presetName), 259u);
    EXPECT_EQ(readPresetFile(path).size(), 2u);
}

} // namespace
