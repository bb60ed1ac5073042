// Each kind of registration object: what it hands to add_param, which user defaults it takes
// from the settings file, and what it writes back.
#include <gtest/gtest.h>

#include <utility>

#include "options/SettingsFile.h"
#include "params/ParamAddArbitrary.h"
#include "params/ParamAddCheckbox.h"
#include "params/ParamAddColor.h"
#include "params/ParamAddFloatSlider.h"
#include "params/ParamAddLayer.h"
#include "params/ParamAddPopup.h"
#include "params/ParamAddTopic.h"
#include "params/ParamRegistry.h"
#include "tests/support/TestFolders.h"
#include "tests/params/CommaLocale.h"
#include "tests/support/FakeParamHost.h"

namespace {

using namespace AEUtil;
using lumora::test::FakeParamHost;

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetParamRegistry();
        templ.flags = PF_ParamFlag_COLLAPSE_TWIRLY;
        setSettingsSection(kSettingsSectionName);
    }
    void TearDown() override {
        resetParamRegistry();
        setSettingsSection(nullptr);
        lumora::test::useCLocale();
    }

    void store(const char *key, const char *value) { ASSERT_TRUE(writeSetting(file.c_str(), key, value)); }
    std::string stored(const char *key) { return readSettingString(file.c_str(), key, "<missing>"); }

    PF_ParamDef registered(BaseParam &param, const char *path) {
        EXPECT_EQ(param.registerParam(&fake.inData(), param.id(), path), PF_Err_NONE);
        EXPECT_FALSE(fake.added.empty());
        return fake.added.empty() ? PF_ParamDef{} : fake.added.back();
    }

    // Registration objects belong to the registry, which deletes them at reset.
    template <class T, class... Args>
    static T &make(Args &&...args) {
        return *new T(std::forward<Args>(args)...);
    }

    embedhost::Host host;
    FakeParamHost fake{host};
    PF_ParamDef templ{};
    lumora::test::ScratchFolder folder{std::string("params-") +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string file = folder / "Lumora.ini";
};

TEST_F(RegistrationTest, PopupHandsOverItsMenu) {
    auto &popup = make<ParamAddPopup>(4, 4, "Blend Mode", templ, 14, 3, "A|(-|B");
    popup.setId(2);
    const PF_ParamDef def = registered(popup, nullptr);
    EXPECT_EQ(fake.addIndices.back(), -1) << "appended";
    EXPECT_STREQ(def.name, "Blend Mode");
    EXPECT_EQ(def.uu.id, 2);
    EXPECT_EQ(def.param_type, PF_Param_POPUP);
    EXPECT_EQ(def.flags, PF_ParamFlag_COLLAPSE_TWIRLY);
    EXPECT_EQ(def.u.pd.value, 3);
    EXPECT_EQ(def.u.pd.dephault, 3);
    EXPECT_EQ(def.u.pd.num_choices, 14);
    EXPECT_STREQ(def.u.pd.u.namesptr, "A|(-|B");
}

TEST_F(RegistrationTest, PopupTakesTheStoredPosition) {
    store("View", "4");
    auto &popup = make<ParamAddPopup>(0, 4, "View", templ, 4, 1, "Normal|(-|Extract|Threshold");
    popup.setId(1);
    const PF_ParamDef def = registered(popup, file.c_str());
    EXPECT_EQ(def.u.pd.value, 4);
    EXPECT_EQ(def.u.pd.dephault, 4);
}

TEST_F(RegistrationTest, WithoutThePathTheFileIsNotRead) {
    store("View", "4");
    auto &popup = make<ParamAddPopup>(0, 4, "View", templ, 4, 1, "Normal|(-|Extract|Threshold");
    EXPECT_EQ(registered(popup, nullptr).u.pd.value, 1);
}

TEST_F(RegistrationTest, MissingFileGivesBuiltInDefaults) {
    auto &popup = make<ParamAddPopup>(0, 4, "View", templ, 4, 1, "x");
    auto &slider =
        make<ParamAddFloatSlider>(0, 8, "Opacity", templ, FloatSliderRange{0, 100, 0, 100}, 100, 1, 1, false);
    auto &color = make<ParamAddColor>(0, 4, "Depth Tint", templ, PF_Pixel{255, 10, 20, 30});
    EXPECT_FALSE(lumora::test::exists(file));
    EXPECT_EQ(registered(popup, file.c_str()).u.pd.value, 1);
    EXPECT_EQ(registered(slider, file.c_str()).u.fs_d.value, 100.0);
    const PF_Pixel c = registered(color, file.c_str()).u.cd.value;
    EXPECT_EQ(c.red, 10);
    EXPECT_EQ(c.green, 20);
    EXPECT_EQ(c.blue, 30);
}

TEST_F(RegistrationTest, CheckboxAddsItsFlagsAndLabel) {
    auto &box = make<ParamAddCheckbox>(72, 1, "Enable Depth Effects", templ, "on", 1, PF_ParamFlag_SUPERVISE);
    box.setId(201);
    const PF_ParamDef def = registered(box, nullptr);
    EXPECT_EQ(def.param_type, PF_Param_CHECKBOX);
    EXPECT_EQ(def.flags, PF_ParamFlag_COLLAPSE_TWIRLY | PF_ParamFlag_SUPERVISE);
    EXPECT_EQ(def.u.bd.value, 1);
    EXPECT_EQ(def.u.bd.dephault, 1);
    EXPECT_STREQ(def.u.bd.u.nameptr, "on");
}

TEST_F(RegistrationTest, CheckboxTakesTheStoredState) {
    store("Enable Depth Effects", "1");
    auto &box = make<ParamAddCheckbox>(72, 1, "Enable Depth Effects", templ, "", 0, 0);
    const PF_ParamDef def = registered(box, file.c_str());
    EXPECT_EQ(def.u.bd.value, 1);
    EXPECT_EQ(def.u.bd.dephault, 1);
}

TEST_F(RegistrationTest, FloatSliderHandsOverRangesAndDisplay) {
    auto &slider = make<ParamAddFloatSlider>(0, 8, "Glow Radius", templ, FloatSliderRange{0, 1000, 0, 100}, 10, 1,
                                             PF_ValueDisplayFlag_PERCENT, false);
    slider.setId(103);
    const PF_ParamDef def = registered(slider, nullptr);
    const PF_FloatSliderDef &fs = def.u.fs_d;
    EXPECT_EQ(def.param_type, PF_Param_FLOAT_SLIDER);
    EXPECT_EQ(fs.valid_min, 0.0f);
    EXPECT_EQ(fs.valid_max, 1000.0f);
    EXPECT_EQ(fs.slider_min, 0.0f);
    EXPECT_EQ(fs.slider_max, 100.0f);
    EXPECT_EQ(fs.value, 10.0);
    EXPECT_EQ(fs.dephault, 10.0f);
    EXPECT_EQ(fs.precision, 1);
    EXPECT_EQ(fs.display_flags, PF_ValueDisplayFlag_PERCENT);
    EXPECT_EQ(fs.fs_flags, PF_FSliderFlag_NONE);
    EXPECT_EQ(fs.curve_tolerance, 0.05f);
}

TEST_F(RegistrationTest, FloatSliderAsksForPhaseWhenTold) {
    auto &slider = make<ParamAddFloatSlider>(0, 8, "Phase", templ, FloatSliderRange{0, 1, 0, 1}, 0, 2, 0, true);
    EXPECT_EQ(registered(slider, nullptr).u.fs_d.fs_flags, PF_FSliderFlag_WANT_PHASE);
}

TEST_F(RegistrationTest, FloatSliderTakesStoredText) {
    store("Threshold", "62.25");
    auto &slider =
        make<ParamAddFloatSlider>(0, 8, "Threshold", templ, FloatSliderRange{0, 100, 0, 100}, 60, 1, 1, false);
    const PF_ParamDef def = registered(slider, file.c_str());
    EXPECT_EQ(def.u.fs_d.value, 62.25);
    EXPECT_EQ(def.u.fs_d.dephault, 62.25f);
}

// A hand-edited or damaged settings file must not make the host refuse the parameter (and so
// the whole effect), nor slip in a value the control would never give: anything a parameter
// would refuse, or that is no plain decimal number, gives way to the built-in default.
TEST_F(RegistrationTest, StoredValuesTheParameterWouldRefuseGiveTheBuiltInDefault) {
    const struct {
        const char *stored;
        double value;
    } opacities[] = {{"lots", 100},  {"0x40", 100}, {"250.5", 100}, {"-0.5", 100},    {"nan", 100}, {"inf", 100},
                     {"12abc", 100}, {"1e2", 100},  {"", 100},      {" 64.5 ", 64.5}, {"+3", 3},    {"0", 0}};
    for (const auto &o : opacities) {
        store("Opacity", o.stored);
        auto &opacity =
            make<ParamAddFloatSlider>(0, 8, "Opacity", templ, FloatSliderRange{0, 100, 0, 100}, 100, 1, 1, false);
        EXPECT_EQ(registered(opacity, file.c_str()).u.fs_d.value, o.value) << o.stored;
    }

    const struct {
        const char *stored;
        A_short position;
    } views[] = {{"9", 1}, {"0", 1}, {"2", 1}, {"0x3", 1}, {"3", 3}, {"4", 4}};
    for (const auto &v : views) {
        store("View", v.stored);
        auto &view = make<ParamAddPopup>(0, 4, "View", templ, 4, 1, "Normal|(-|Extract|Threshold");
        EXPECT_EQ(registered(view, file.c_str()).u.pd.dephault, v.position) << v.stored;
    }

    store("Enable Depth Effects", "7");
    auto &box = make<ParamAddCheckbox>(0, 1, "Enable Depth Effects", templ, "", 0, 0);
    EXPECT_EQ(registered(box, file.c_str()).u.bd.value, 0);

    store("Depth Tint.r", "300");
    store("Depth Tint.g", "-4");
    store("Depth Tint.b", "0x10");
    auto &tint = make<ParamAddColor>(0, 4, "Depth Tint", templ, PF_Pixel{255, 200, 150, 100});
    const PF_Pixel c = registered(tint, file.c_str()).u.cd.dephault;
    EXPECT_EQ(c.red, 200);
    EXPECT_EQ(c.green, 150);
    EXPECT_EQ(c.blue, 100);
}

TEST_F(RegistrationTest, DecimalCommaRoundTripsUnderTheSameLocale) {
    if (!lumora::test::useCommaLocale())
        GTEST_SKIP() << "no locale with a decimal comma on this system";
    auto &slider =
        make<ParamAddFloatSlider>(0, 8, "Glow Aspect", templ, FloatSliderRange{-100, 100, -100, 100}, 0, 1, 0, false);
    slider.definition().u.fs_d.value = -12.5;
    ASSERT_EQ(slider.saveDefault(&fake.inData(), file.c_str()), PF_Err_NONE);
    EXPECT_EQ(stored("Glow Aspect"), "-12,500000");
    const PF_ParamDef def = registered(slider, file.c_str());
    EXPECT_EQ(def.u.fs_d.value, -12.5);
    EXPECT_EQ(def.u.fs_d.dephault, -12.5f);
}

TEST_F(RegistrationTest, FloatIsSavedWithSixDecimals) {
    auto &slider =
        make<ParamAddFloatSlider>(0, 8, "Opacity", templ, FloatSliderRange{0, 100, 0, 100}, 100, 1, 1, false);
    slider.definition().u.fs_d.value = 33.125;
    ASSERT_EQ(slider.saveDefault(&fake.inData(), file.c_str()), PF_Err_NONE);
    EXPECT_EQ(stored("Opacity"), "33.125000");
}

TEST_F(RegistrationTest, ColorWithOnlyRedStoredKeepsBuiltInGreenAndBlue) {
    store("Depth Tint.r", "12");
    auto &color = make<ParamAddColor>(0, 4, "Depth Tint", templ, PF_Pixel{255, 200, 150, 100});
    color.setId(206);
    const PF_ParamDef def = registered(color, file.c_str());
    EXPECT_EQ(def.param_type, PF_Param_COLOR);
    EXPECT_EQ(def.u.cd.value.red, 12);
    EXPECT_EQ(def.u.cd.value.green, 150);
    EXPECT_EQ(def.u.cd.value.blue, 100);
    EXPECT_EQ(def.u.cd.value.alpha, 255);
    EXPECT_EQ(def.u.cd.dephault.red, 12);
    EXPECT_EQ(def.u.cd.dephault.green, 150);
}

TEST_F(RegistrationTest, ColorAlphaIsAlwaysOpaque) {
    store("Depth Tint.a", "7");
    auto &color = make<ParamAddColor>(0, 4, "Depth Tint", templ, PF_Pixel{0, 1, 2, 3});
    const PF_ParamDef def = registered(color, file.c_str());
    EXPECT_EQ(def.u.cd.value.alpha, 255) << "stored alpha is not read";
    EXPECT_EQ(def.u.cd.dephault.alpha, 255) << "built-in alpha is forced too";
    EXPECT_EQ(registered(color, nullptr).u.cd.value.alpha, 255);
}

TEST_F(RegistrationTest, ColorSavesFourChannels) {
    auto &color = make<ParamAddColor>(0, 4, "Depth Tint", templ, PF_Pixel{255, 255, 255, 255});
    color.definition().u.cd.value = PF_Pixel{128, 1, 22, 255};
    ASSERT_EQ(color.saveDefault(&fake.inData(), file.c_str()), PF_Err_NONE);
    EXPECT_EQ(stored("Depth Tint.r"), "1");
    EXPECT_EQ(stored("Depth Tint.g"), "22");
    EXPECT_EQ(stored("Depth Tint.b"), "255");
    EXPECT_EQ(stored("Depth Tint.a"), "128");
    EXPECT_EQ(stored("Depth Tint"), "<missing>");
}

TEST_F(RegistrationTest, PopupAndCheckboxSaveTheirValue) {
    auto &popup = make<ParamAddPopup>(0, 4, "Glow Type", templ, 3, 1, "a|b|c");
    auto &box = make<ParamAddCheckbox>(0, 1, "Enable Depth Effects", templ, "", 0, 0);
    popup.definition().u.pd.value = 3;
    box.definition().u.bd.value = 1;
    popup.saveDefault(&fake.inData(), file.c_str());
    box.saveDefault(&fake.inData(), file.c_str());
    EXPECT_EQ(stored("Glow Type"), "3");
    EXPECT_EQ(stored("Enable Depth Effects"), "1");
}

TEST_F(RegistrationTest, NothingIsSavedWithoutAFile) {
    auto &popup = make<ParamAddPopup>(0, 4, "View", templ, 4, 1, "x");
    popup.definition().u.pd.value = 2;
    EXPECT_EQ(popup.saveDefault(&fake.inData(), nullptr), PF_Err_NONE);
    EXPECT_FALSE(lumora::test::exists(file));
}

TEST_F(RegistrationTest, LayerAndGroupsKeepNoDefaults) {
    store("Depth Layer", "3");
    auto &layer = make<ParamAddLayer>(80, 8, "Depth Layer", templ, PF_LayerDefault_NONE);
    auto &group = make<ParamAddTopic>("Depth Effects", templ);
    auto &end = make<ParamEndTopic>();
    group.setId(200);
    end.setId(209);
    const PF_ParamDef l = registered(layer, file.c_str());
    EXPECT_EQ(l.param_type, PF_Param_LAYER);
    EXPECT_EQ(l.u.ld.dephault, PF_LayerDefault_NONE);
    const PF_ParamDef g = registered(group, file.c_str());
    EXPECT_EQ(g.param_type, PF_Param_GROUP_START);
    EXPECT_STREQ(g.name, "Depth Effects");
    EXPECT_EQ(g.flags, PF_ParamFlag_COLLAPSE_TWIRLY);
    const PF_ParamDef e = registered(end, file.c_str());
    EXPECT_EQ(e.param_type, PF_Param_GROUP_END);
    EXPECT_EQ(e.uu.id, 209);
    EXPECT_STREQ(e.name, "");
    EXPECT_EQ(e.flags, 0);
}

TEST_F(RegistrationTest, ArbitraryHandsOverItsControl) {
    int refconTarget = 0;
    PF_Handle handle = reinterpret_cast<PF_Handle>(&refconTarget);
    auto &arb = make<ParamAddArbitrary>("Glow Color Bar", templ, 0, 88, PF_PUI_CONTROL, &refconTarget, handle);
    arb.setId(52);
    const PF_ParamDef def = registered(arb, file.c_str());
    EXPECT_EQ(def.param_type, PF_Param_ARBITRARY_DATA);
    EXPECT_EQ(def.flags & PF_ParamFlag_COLLAPSE_TWIRLY, 0) << "a custom control has no twirly";
    EXPECT_EQ(def.ui_flags, PF_PUI_CONTROL);
    EXPECT_EQ(def.ui_width, 0);
    EXPECT_EQ(def.ui_height, 88);
    EXPECT_EQ(def.u.arb_d.id, 52);
    EXPECT_EQ(def.u.arb_d.dephault, handle);
    EXPECT_EQ(def.u.arb_d.value, nullptr);
    EXPECT_EQ(def.u.arb_d.refconPV, &refconTarget);
    EXPECT_EQ(arb.valueWidth(), 0);
}

TEST_F(RegistrationTest, HostRefusalIsReturned) {
    auto &group = make<ParamAddTopic>("g", templ);
    fake.failAddAt = 0;
    EXPECT_EQ(group.registerParam(&fake.inData(), 1, nullptr), PF_Err_OUT_OF_MEMORY);
}

} // namespace
