// Readers and the render settings record: raw values land at their members, failures stop the
// walk and leave the rest at their initial values, and only what was fetched is given back.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "params/ParamAddArbitrary.h"
#include "params/ParamAddCheckbox.h"
#include "params/ParamAddColor.h"
#include "params/ParamAddFloatSlider.h"
#include "params/ParamAddLayer.h"
#include "params/ParamAddPopup.h"
#include "params/ParamAddTopic.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"
#include "tests/support/FakeParamHost.h"

namespace {

using namespace AEUtil;
using lumora::test::FakeParamHost;

TEST(RenderSettings, LayoutOfThe64BitRecord) {
    if (sizeof(void *) != 8)
        GTEST_SKIP() << "offsets worked out for 64-bit pointers";
    EXPECT_EQ(sizeof(RenderSettings), 208u);
    EXPECT_EQ(offsetof(RenderSettings, glowIntensity), 0u);
    EXPECT_EQ(offsetof(RenderSettings, view), 8u);
    EXPECT_EQ(offsetof(RenderSettings, blendMode), 12u);
    EXPECT_EQ(offsetof(RenderSettings, opacity), 16u);
    EXPECT_EQ(offsetof(RenderSettings, glowType), 24u);
    EXPECT_EQ(offsetof(RenderSettings, glowRadius), 32u);
    EXPECT_EQ(offsetof(RenderSettings, glowAspect), 40u);
    EXPECT_EQ(offsetof(RenderSettings, inputChannel), 48u);
    EXPECT_EQ(offsetof(RenderSettings, threshold), 56u);
    EXPECT_EQ(offsetof(RenderSettings, thresholdSoft), 64u);
    EXPECT_EQ(offsetof(RenderSettings, depthEffectsEnabled), 72u);
    EXPECT_EQ(offsetof(RenderSettings, reserved0), 73u);
    EXPECT_EQ(offsetof(RenderSettings, reserved1), 74u);
    EXPECT_EQ(offsetof(RenderSettings, depthLayer), 80u);
    EXPECT_EQ(offsetof(RenderSettings, centerPosition), 88u);
    EXPECT_EQ(offsetof(RenderSettings, depthBias), 96u);
    EXPECT_EQ(offsetof(RenderSettings, depthTint), 104u);
    EXPECT_EQ(offsetof(RenderSettings, depthRadius), 112u);
    EXPECT_EQ(offsetof(RenderSettings, depthIntensity), 120u);
    EXPECT_EQ(offsetof(RenderSettings, in_data), 136u);
    EXPECT_EQ(offsetof(RenderSettings, output), 160u);
    EXPECT_EQ(offsetof(RenderSettings, pixelFormat), 168u);
    EXPECT_EQ(offsetof(RenderSettings, inputRect), 172u);
    EXPECT_EQ(offsetof(RenderSettings, inputPlacement), 188u);
    EXPECT_EQ(offsetof(RenderSettings, smart), 204u);
}

TEST(RenderSettings, InitialValues) {
    RenderSettings rs;
    std::memset(&rs, 0x5A, sizeof rs);
    initRenderSettings(rs);
    EXPECT_EQ(rs.glowIntensity, 1.5);
    EXPECT_EQ(rs.view, 1);
    EXPECT_EQ(rs.blendMode, 1);
    EXPECT_EQ(rs.glowType, 1);
    EXPECT_EQ(rs.inputChannel, 1);
    EXPECT_EQ(rs.opacity, 0.0);
    EXPECT_EQ(rs.reserved0, 1);
    EXPECT_EQ(rs.reserved1, 1);
    EXPECT_EQ(rs.depthEffectsEnabled, 0);
    EXPECT_EQ(rs.depthLayer, nullptr);
    EXPECT_EQ(rs.depthTint.alpha, 0);
    EXPECT_EQ(rs.pixelFormat, PF_PixelFormat_INVALID);
    EXPECT_EQ(rs.inputRect.right, 0);
    EXPECT_EQ(rs.smart, 0);
    EXPECT_EQ(rs.in_data, nullptr);
}

// Host indices 1..8: View, Opacity, a group, Enable Depth Effects, Depth Layer, Depth Tint,
// the colour bar and Depth Radius.
class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetParamRegistry();
        PF_ParamDef t{};
        view = new ParamAddPopup(LUMORA_RS_OFFSET(view), LUMORA_RS_WIDTH(view), "View", t, 4, 1, "a|b|c|d");
        opacity = new ParamAddFloatSlider(LUMORA_RS_OFFSET(opacity), LUMORA_RS_WIDTH(opacity), "Opacity", t,
                                          {0, 100, 0, 100}, 100, 1, 1, false);
        group = new ParamAddTopic("Depth Effects", t);
        enable = new ParamAddCheckbox(LUMORA_RS_OFFSET(depthEffectsEnabled), LUMORA_RS_WIDTH(depthEffectsEnabled),
                                      "Enable Depth Effects", t, "", 0, 0);
        layer = new ParamAddLayer(LUMORA_RS_OFFSET(depthLayer), LUMORA_RS_WIDTH(depthLayer), "Depth Layer", t,
                                  PF_LayerDefault_NONE);
        tint = new ParamAddColor(LUMORA_RS_OFFSET(depthTint), LUMORA_RS_WIDTH(depthTint), "Depth Tint", t,
                                 PF_Pixel{255, 255, 255, 255});
        bar = new ParamAddArbitrary("Glow Color Bar", t, 0, 88, PF_PUI_CONTROL, nullptr, nullptr);
        radius = new ParamAddFloatSlider(LUMORA_RS_OFFSET(depthRadius), LUMORA_RS_WIDTH(depthRadius), "Depth Radius", t,
                                         {0, 1000, 0, 100}, 10, 1, 0, false);
        A_long id = 10;
        for (BaseParam *p : {(BaseParam *)view, (BaseParam *)opacity, (BaseParam *)group, (BaseParam *)enable,
                             (BaseParam *)layer, (BaseParam *)tint, (BaseParam *)bar, (BaseParam *)radius})
            p->setId(id++);
        sealParamRegistry();

        value(1).u.pd.value = 3;
        value(2).u.fs_d.value = 55.5;
        value(3);
        value(4).u.bd.value = 1;
        value(5).u.ld.width = 640;
        value(6).u.cd.value = PF_Pixel{200, 10, 20, 30};
        value(7);
        value(8).u.fs_d.value = 250.25;
        for (A_long i = 0; i <= 8; ++i) {
            array[i] = fake.values[i];
            params[i] = &array[i];
        }
        initRenderSettings(rs);
    }
    void TearDown() override { resetParamRegistry(); }

    PF_ParamDef &value(A_long index) {
        PF_ParamDef &d = fake.values[index];
        d.uu.id = 10 + index - 1;
        return d;
    }

    embedhost::Host host;
    FakeParamHost fake{host};
    PF_ParamDef array[9]{};
    PF_ParamDef *params[9]{};
    RenderSettings rs;
    ParamAddPopup *view;
    ParamAddFloatSlider *opacity;
    ParamAddTopic *group;
    ParamAddCheckbox *enable;
    ParamAddLayer *layer;
    ParamAddColor *tint;
    ParamAddArbitrary *bar;
    ParamAddFloatSlider *radius;
};

TEST_F(ReaderTest, ClassicReadCopiesRawValues) {
    GetParamByCheckout reader(&fake.inData(), params, false);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    EXPECT_EQ(rs.view, 3);
    EXPECT_EQ(rs.opacity, 55.5) << "percent sliders stay in percent";
    EXPECT_EQ(rs.depthEffectsEnabled, 1);
    EXPECT_EQ(rs.depthLayer, &layer->definition().u.ld);
    EXPECT_EQ(rs.depthLayer->width, 640);
    EXPECT_EQ(rs.depthTint.alpha, 200);
    EXPECT_EQ(rs.depthTint.red, 10);
    EXPECT_EQ(rs.depthTint.blue, 30);
    EXPECT_EQ(rs.depthRadius, 250.25);
    EXPECT_EQ(rs.glowIntensity, 1.5) << "no object writes it here";
    EXPECT_EQ(rs.blendMode, 1);
    EXPECT_EQ(rs.reserved0, 1);
    EXPECT_EQ(fake.checkedOut, (std::vector<A_long>{1, 2, 4, 5, 6, 8})) << "the group and colour bar copy nothing";
    EXPECT_EQ(view->definition().u.pd.value, 3) << "the classic path reads into the objects";
}

TEST_F(ReaderTest, CheckoutAtTheCommandsTime) {
    fake.inData().current_time = 77;
    GetParamByCheckout reader(&fake.inData(), params, false);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    ASSERT_FALSE(fake.checkoutTimes.empty());
    for (A_long t : fake.checkoutTimes)
        EXPECT_EQ(t, 77);
}

TEST_F(ReaderTest, CheckInGivesBackEveryFetchedDefinition) {
    GetParamByCheckout reader(&fake.inData(), params, false);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    GetParamByCheckout checkin(&fake.inData(), nullptr, false);
    ASSERT_EQ(releaseAllParams(checkin), PF_Err_NONE);
    EXPECT_EQ(fake.checkedIn, (std::vector<A_long>{10, 11, 13, 14, 15, 17}));
    fake.checkedIn.clear();
    ASSERT_EQ(releaseAllParams(checkin), PF_Err_NONE);
    EXPECT_TRUE(fake.checkedIn.empty()) << "nothing is given back twice";
}

TEST_F(ReaderTest, FailedCheckoutStopsAndLeavesInitialValues) {
    fake.failCheckoutAt = 2;
    opacity->definition().u.fs_d.value = 42;
    GetParamByCheckout reader(&fake.inData(), params, false);
    EXPECT_EQ(readAllParams(&rs, reader), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(rs.view, 3) << "read before the failure";
    EXPECT_EQ(rs.opacity, 0.0);
    EXPECT_EQ(rs.depthEffectsEnabled, 0);
    EXPECT_EQ(rs.depthRadius, 0.0);
    EXPECT_EQ(opacity->definition().u.fs_d.value, 0.0) << "the failed checkout zeroes the definition";
    EXPECT_EQ(opacity->definition().param_type, 0);
    EXPECT_EQ(fake.checkedOut, (std::vector<A_long>{1, 2}));

    GetParamByCheckout checkin(&fake.inData(), nullptr, false);
    EXPECT_EQ(releaseAllParams(checkin), PF_Err_NONE);
    EXPECT_EQ(fake.checkedIn, (std::vector<A_long>{10})) << "only the successful checkout is checked in";
}

TEST_F(ReaderTest, GreyedOutLayerIsLeftNullWithoutCheckout) {
    array[5].ui_flags = PF_PUI_DISABLED;
    rs.depthLayer = reinterpret_cast<PF_EffectWorld *>(&rs);
    GetParamByCheckout reader(&fake.inData(), params, false);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    EXPECT_EQ(rs.depthLayer, nullptr);
    EXPECT_EQ(fake.checkedOut, (std::vector<A_long>{1, 2, 4, 6, 8}));
    GetParamByCheckout checkin(&fake.inData(), nullptr, false);
    releaseAllParams(checkin);
    EXPECT_EQ(fake.checkedIn, (std::vector<A_long>{10, 11, 13, 15, 17}));
}

TEST_F(ReaderTest, OtherGreyedOutControlsAreStillRead) {
    array[8].ui_flags = PF_PUI_DISABLED;
    GetParamByCheckout reader(&fake.inData(), params, false);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    EXPECT_EQ(rs.depthRadius, 250.25);
}

TEST_F(ReaderTest, TemporariesLeaveTheObjectsAlone) {
    GetParamByCheckout reader(&fake.inData(), nullptr, true);
    ASSERT_EQ(readAllParams(&rs, reader), PF_Err_NONE);
    EXPECT_EQ(rs.view, 3);
    EXPECT_EQ(rs.depthRadius, 250.25);
    EXPECT_EQ(rs.depthLayer, nullptr) << "no layer address outlives a temporary";
    EXPECT_EQ(view->definition().u.pd.value, 0);
    EXPECT_EQ(radius->definition().u.fs_d.value, 0.0);
    EXPECT_EQ(fake.checkedOut, (std::vector<A_long>{1, 2, 4, 6, 8}));
    // Each temporary is checked in as soon as its value is copied, so nothing stays out...
    EXPECT_EQ(fake.checkedIn.size(), fake.checkedOut.size());
    // ...and the check-in walk has nothing left to give back.
    EXPECT_EQ(releaseAllParams(reader), PF_Err_NONE);
    EXPECT_EQ(fake.checkedIn.size(), fake.checkedOut.size());
}

TEST_F(ReaderTest, ArrayReaderFillsOnlyTheObjects) {
    GetParamFromArray reader(params);
    ASSERT_EQ(readAllParams(nullptr, reader), PF_Err_NONE);
    EXPECT_EQ(view->definition().u.pd.value, 3);
    EXPECT_EQ(opacity->definition().u.fs_d.value, 55.5);
    EXPECT_EQ(tint->definition().u.cd.value.red, 10);
    EXPECT_EQ(layer->definition().u.ld.width, 640);
    EXPECT_TRUE(fake.checkedOut.empty());
    EXPECT_EQ(releaseAllParams(reader), PF_Err_NONE);
    EXPECT_TRUE(fake.checkedIn.empty());
}

TEST_F(ReaderTest, EnabledFollowsTheDisabledFlag) {
    array[4].ui_flags = PF_PUI_DISABLED | PF_PUI_CONTROL;
    array[2].ui_flags = PF_PUI_CONTROL;
    GetParamFromArray fromArray(params);
    GetParamByCheckout withArray(&fake.inData(), params, false);
    GetParamByCheckout withoutArray(&fake.inData(), nullptr, false);
    EXPECT_FALSE(fromArray.isEnabled(4));
    EXPECT_TRUE(fromArray.isEnabled(2));
    EXPECT_FALSE(withArray.isEnabled(4));
    EXPECT_TRUE(withArray.isEnabled(2));
    EXPECT_TRUE(withoutArray.isEnabled(4));
}

TEST_F(ReaderTest, FailedGetZeroesTheDefinition) {
    fake.failCheckoutAt = 6;
    PF_ParamDef d;
    std::memset(&d, 0xAB, sizeof d);
    GetParamByCheckout reader(&fake.inData(), nullptr, false);
    EXPECT_EQ(reader.get(6, d), PF_Err_INTERNAL_STRUCT_DAMAGED);
    const auto *bytes = reinterpret_cast<const unsigned char *>(&d);
    for (std::size_t i = 0; i < sizeof d; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

} // namespace
