// The glow effect's parameter table as the host receives it, checked entry by entry against
// the published table of names, ids, ranges and defaults.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "colorbar/GradColorPresetUI.h"
#include "host/ParamsSetup.h"
#include "options/SettingsFile.h"
#include "params/BaseParam.h"
#include "host/GlowParamTable.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"
#include "tests/support/FakeParamHost.h"

namespace {

using namespace AEUtil;
using lumora::test::FakeParamHost;

struct Slider {
    A_long index;
    const char *name;
    A_long id;
    float validMin, validMax, sliderMin, sliderMax, dephault;
    bool percent;
};

class GlowTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetParamRegistry();
        fake.inData().version = PF_SpecVersion{12, 11}; // the settings file stays out of it
        buildGlowParamTable(&fake.inData(), bar);
        sealParamRegistry();
        ASSERT_EQ(registerAllParams(&fake.inData(), &out), PF_Err_NONE);
        ASSERT_EQ(fake.added.size(), 22u);
    }
    void TearDown() override { resetParamRegistry(); }

    const PF_ParamDef &at(A_long index) { return fake.added.at(static_cast<std::size_t>(index - 1)); }

    embedhost::Host host;
    FakeParamHost fake{host};
    GradColorPresetUI bar;
    PF_OutData out{};
};

TEST_F(GlowTableTest, TwentyTwoParametersAndTheInputLayer) {
    EXPECT_EQ(out.num_params, 23);
    EXPECT_EQ(hostParamCount(), 23);
    for (PF_ParamIndex i : fake.addIndices)
        EXPECT_EQ(i, -1);
}

TEST_F(GlowTableTest, NamesTypesAndIdsInHostOrder) {
    struct Row {
        const char *name;
        PF_ParamType type;
        A_long id;
    };
    const Row rows[] = {{"View", PF_Param_POPUP, 1},
                        {"Blend Mode", PF_Param_POPUP, 2},
                        {"Opacity", PF_Param_FLOAT_SLIDER, 3},
                        {"Glow Color", PF_Param_GROUP_START, 50},
                        {"Glow Type", PF_Param_POPUP, 51},
                        {"Glow Color Bar", PF_Param_ARBITRARY_DATA, 52},
                        {"", PF_Param_GROUP_END, 53},
                        {"Input Channel", PF_Param_POPUP, 100},
                        {"Threshold", PF_Param_FLOAT_SLIDER, 101},
                        {"Threshold Soft", PF_Param_FLOAT_SLIDER, 102},
                        {"Glow Radius", PF_Param_FLOAT_SLIDER, 103},
                        {"Glow Aspect", PF_Param_FLOAT_SLIDER, 104},
                        {"Glow Intensity", PF_Param_FLOAT_SLIDER, 105},
                        {"Depth Effects", PF_Param_GROUP_START, 200},
                        {"Enable Depth Effects", PF_Param_CHECKBOX, 201},
                        {"Depth Layer", PF_Param_LAYER, 202},
                        {"Center Position", PF_Param_FLOAT_SLIDER, 204},
                        {"Depth Bias", PF_Param_FLOAT_SLIDER, 205},
                        {"Depth Tint", PF_Param_COLOR, 206},
                        {"Depth Radius", PF_Param_FLOAT_SLIDER, 207},
                        {"Depth Intensity", PF_Param_FLOAT_SLIDER, 208},
                        {"", PF_Param_GROUP_END, 209}};
    for (A_long i = 1; i <= 22; ++i) {
        const Row &row = rows[i - 1];
        SCOPED_TRACE(i);
        EXPECT_STREQ(at(i).name, row.name);
        EXPECT_EQ(at(i).param_type, row.type);
        EXPECT_EQ(at(i).uu.id, row.id);
        EXPECT_EQ(indexOfId(row.id), i);
    }
    EXPECT_EQ(indexOfId(203), 0) << "203 is not used";
}

TEST_F(GlowTableTest, Popups) {
    EXPECT_EQ(at(1).u.pd.num_choices, 4);
    EXPECT_EQ(at(1).u.pd.dephault, 1);
    EXPECT_STREQ(at(1).u.pd.u.namesptr, "Normal|(-|Extract|Threshold");
    EXPECT_EQ(at(2).u.pd.num_choices, 14);
    EXPECT_EQ(at(2).u.pd.dephault, 3);
    EXPECT_EQ(at(2).u.pd.value, 3);
    EXPECT_STREQ(at(2).u.pd.u.namesptr, "Normal|(-|Add|Substract|Multiply|Screen|Overlay|Hard Light|Soft Light|(-|"
                                        "Darken|Lighten|Difference|Exclusion");
    EXPECT_EQ(at(5).u.pd.num_choices, 3);
    EXPECT_EQ(at(5).u.pd.dephault, 1);
    EXPECT_STREQ(at(5).u.pd.u.namesptr, "Normal|Angle Map|Original Colors");
    EXPECT_EQ(at(8).u.pd.num_choices, 2);
    EXPECT_EQ(at(8).u.pd.dephault, 1);
    EXPECT_STREQ(at(8).u.pd.u.namesptr, "Luminance|Alpha");
}

TEST_F(GlowTableTest, FloatSliders) {
    const Slider sliders[] = {
        {3, "Opacity", 3, 0, 100, 0, 100, 100, true},
        {9, "Threshold", 101, 0, 100, 0, 100, 60, true},
        {10, "Threshold Soft", 102, 0, 100, 0, 100, 10, false},
        {11, "Glow Radius", 103, 0, 1000, 0, 100, 10, false},
        {12, "Glow Aspect", 104, -100, 100, -100, 100, 0, false},
        {13, "Glow Intensity", 105, 0, 1000, 0, 100, 0, false},
        {17, "Center Position", 204, 0, 100, 0, 50, 50, true},
        {18, "Depth Bias", 205, 0, 100, 0, 100, 0, false},
        {20, "Depth Radius", 207, 0, 1000, 0, 100, 10, false},
        {21, "Depth Intensity", 208, 0, 1000, 0, 100, 0, false},
    };
    for (const Slider &s : sliders) {
        SCOPED_TRACE(s.name);
        const PF_FloatSliderDef &fs = at(s.index).u.fs_d;
        EXPECT_EQ(fs.valid_min, s.validMin);
        EXPECT_EQ(fs.valid_max, s.validMax);
        EXPECT_EQ(fs.slider_min, s.sliderMin);
        EXPECT_EQ(fs.slider_max, s.sliderMax);
        EXPECT_EQ(fs.dephault, s.dephault);
        EXPECT_EQ(fs.value, static_cast<double>(s.dephault));
        EXPECT_EQ(fs.precision, 1);
        EXPECT_EQ(fs.display_flags, s.percent ? PF_ValueDisplayFlag_PERCENT : PF_ValueDisplayFlag_NONE);
        EXPECT_EQ(fs.fs_flags, PF_FSliderFlag_NONE);
        EXPECT_EQ(fs.curve_tolerance, 0.05f);
    }
}

TEST_F(GlowTableTest, CheckboxLayerAndColor) {
    EXPECT_EQ(at(15).u.bd.value, 0);
    EXPECT_EQ(at(15).u.bd.dephault, 0);
    EXPECT_STREQ(at(15).u.bd.u.nameptr, "");
    EXPECT_EQ(at(16).u.ld.dephault, PF_LayerDefault_NONE);
    const PF_Pixel tint = at(19).u.cd.dephault;
    EXPECT_EQ(tint.alpha, 255);
    EXPECT_EQ(tint.red, 255);
    EXPECT_EQ(tint.green, 255);
    EXPECT_EQ(tint.blue, 255);
}

TEST_F(GlowTableTest, ColorBarIsACustomControl) {
    const PF_ParamDef &d = at(6);
    EXPECT_EQ(d.ui_flags, PF_PUI_CONTROL);
    EXPECT_EQ(d.ui_width, 0);
    EXPECT_EQ(d.ui_height, 88);
    EXPECT_EQ(d.u.arb_d.id, 52);
    EXPECT_NE(d.u.arb_d.dephault, nullptr);
    EXPECT_EQ(d.u.arb_d.value, nullptr);
    EXPECT_EQ(d.flags, 0);
}

TEST_F(GlowTableTest, EveryOtherControlStartsCollapsed) {
    for (A_long i = 1; i <= 22; ++i) {
        SCOPED_TRACE(i);
        const bool bare = i == 6 || i == 7 || i == 22;
        EXPECT_EQ(at(i).flags, bare ? 0 : PF_ParamFlag_COLLAPSE_TWIRLY);
    }
}

TEST_F(GlowTableTest, ValuesLandInTheirRecordMembers) {
    struct Member {
        const char *name;
        A_long id;
        std::size_t offset;
        A_long width;
    };
    const Member members[] = {{"View", 1, offsetof(RenderSettings, view), 4},
                              {"Blend Mode", 2, offsetof(RenderSettings, blendMode), 4},
                              {"Opacity", 3, offsetof(RenderSettings, opacity), 8},
                              {"Glow Type", 51, offsetof(RenderSettings, glowType), 4},
                              {"Input Channel", 100, offsetof(RenderSettings, inputChannel), 4},
                              {"Threshold", 101, offsetof(RenderSettings, threshold), 8},
                              {"Threshold Soft", 102, offsetof(RenderSettings, thresholdSoft), 8},
                              {"Glow Radius", 103, offsetof(RenderSettings, glowRadius), 8},
                              {"Glow Aspect", 104, offsetof(RenderSettings, glowAspect), 8},
                              {"Glow Intensity", 105, offsetof(RenderSettings, glowIntensity), 8},
                              {"Enable Depth Effects", 201, offsetof(RenderSettings, depthEffectsEnabled), 1},
                              {"Depth Layer", 202, offsetof(RenderSettings, depthLayer), sizeof(void *)},
                              {"Center Position", 204, offsetof(RenderSettings, centerPosition), 8},
                              {"Depth Bias", 205, offsetof(RenderSettings, depthBias), 8},
                              {"Depth Tint", 206, offsetof(RenderSettings, depthTint), 4},
                              {"Depth Radius", 207, offsetof(RenderSettings, depthRadius), 8},
                              {"Depth Intensity", 208, offsetof(RenderSettings, depthIntensity), 8}};
    for (const Member &m : members) {
        SCOPED_TRACE(m.name);
        const BaseParam *p = paramAtIndex(indexOfId(m.id));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(static_cast<std::size_t>(p->valueOffset()), m.offset);
        EXPECT_EQ(p->valueWidth(), m.width);
    }
    for (A_long id : {50, 52, 53, 200, 209})
        EXPECT_EQ(paramAtIndex(indexOfId(id))->valueWidth(), 0) << "id " << id;
}

} // namespace
