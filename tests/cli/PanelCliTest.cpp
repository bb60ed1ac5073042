// `lumora panel` and `lumora presets` run as processes: the control driven by a gesture script,
// drawn to a PNG, and the shared presets managed through its menu and buttons.
#include <gtest/gtest.h>

#include <OpenImageIO/imageio.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "RunLumora.h"

namespace {

namespace fs = std::filesystem;
using lumora::test::runLumora;

// A fresh folder for the running test, holding its shared documents (the preset file).
fs::path folder() {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::path(LUMORA_TEST_TMPDIR) / (std::string("panel-") + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    setenv("LUMORA_SHARED_DOCUMENTS_DIR", (dir / "shared").c_str(), 1);
    return dir;
}

TEST(PanelCli, GesturesEditTheGradientAndThePictureShowsTheControl) {
    const fs::path dir = folder();
    // Move the middle flag left by 60 columns, insert a red one at 250, drag the last one off.
    std::ofstream(dir / "g.txt") << "drag 160,71 100,71\nclick 250,70\npick #ff0000\ndrag 304,71 304,110\n";
    const auto r = runLumora({"panel", (dir / "p.png").string(), "--gestures", (dir / "g.txt").string()}, "panel");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + (dir / "p.png").string() + " (320 x 88)\n" +
                         "0:#ffffff,0.29310346:#32f8ff,0.8103448:#ff0000\n");
    auto in = OIIO::ImageInput::open((dir / "p.png").string());
    ASSERT_TRUE(in);
    EXPECT_EQ(in->spec().width, 320);
    EXPECT_EQ(in->spec().height, 88);
}

TEST(PanelCli, ADialogWithoutAnAnswerFailsNamingTheLine) {
    const fs::path dir = folder();
    std::ofstream(dir / "g.txt") << "# insert, with no colour given\nclick 250,70\n";
    const auto r = runLumora({"panel", "--gestures", (dir / "g.txt").string()}, "panel");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("g.txt:2: the colour picker \"Insert Color\" opened and no 'pick' line answers it"),
              std::string::npos)
        << r.err;
    const auto menu = runLumora({"panel", "--gestures", (dir / "g.txt").string(), "--gradient-preset", "Nope"}, "menu");
    EXPECT_EQ(menu.status, 1);
    EXPECT_NE(menu.err.find("the preset menu has no item 'Nope'"), std::string::npos) << menu.err;
}

TEST(PanelCli, PresetsAreSavedSortedReplacedInPlaceShownAndDeleted) {
    folder();
    auto lumora = [](std::vector<std::string> args) { return runLumora(args, "presets"); };
    ASSERT_EQ(lumora({"presets", "save", "b", "--gradient", "0:#0000ff,1:#00ffff"}).status, 0);
    ASSERT_EQ(lumora({"presets", "save", "a & c", "--gradient", "0:#ff0000"}).status, 0);
    EXPECT_EQ(lumora({"presets", "list"}).out, "a & c\nb\n");
    ASSERT_EQ(lumora({"presets", "save", "b", "--gradient", "0.25:#102030"}).status, 0);
    EXPECT_EQ(lumora({"presets", "list"}).out, "a & c\nb\n") << "replaced in place";
    EXPECT_EQ(lumora({"presets", "show", "b"}).out, "0.25:#102030\n");
    EXPECT_EQ(lumora({"presets", "delete", "a & c"}).status, 0);
    EXPECT_EQ(lumora({"presets", "list"}).out, "b\n");
    const auto missing = lumora({"presets", "delete", "zz"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no preset 'zz'"), std::string::npos) << missing.err;
    EXPECT_EQ(lumora({"presets", "save", std::string(260, 'n'), "--gradient", "0:#000000"}).status, 2)
        << "a name the field cannot hold";
}

} // namespace
