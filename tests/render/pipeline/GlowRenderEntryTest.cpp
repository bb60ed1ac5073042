// The glow's render entry points up to the render body: the Premiere short path, the classic
// render's reading and check-in, the smart render's checkouts, and the smart pre-render.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AE_EffectCB.h"
#include "host/kit/PreRenderOutput.h"
#include "params/ParamAddLayer.h"
#include "params/ParamAddPopup.h"
#include "params/ParamRegistry.h"
#include "params/RenderSettings.h"
#include "render/pipeline/GlowPreRender.h"
#include "render/pipeline/GlowRenderEntry.h"
#include "tests/support/FakeParamHost.h"

namespace {

using namespace AEUtil;
using lumora::test::FakeParamHost;

constexpr A_long kPremiere = 0x50724D72; // 'PrMr'

// A 3 x 2 ARGB buffer of the test's own.
struct Buffer {
    explicit Buffer(unsigned char fill) : pixels(24, fill) {
        world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
        world.width = 3;
        world.height = 2;
        world.rowbytes = 12;
    }
    std::vector<unsigned char> pixels;
    PF_EffectWorld world{};
};

int g_copies = 0;
PF_Err copyWorld(PF_ProgPtr, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *srcRect, PF_Rect *dstRect) {
    ++g_copies;
    if (srcRect || dstRect)
        return PF_Err_BAD_CALLBACK_PARAM;
    for (A_long y = 0; y < src->height; ++y)
        std::memcpy(reinterpret_cast<char *>(dst->data) + y * dst->rowbytes,
                    reinterpret_cast<const char *>(src->data) + y * src->rowbytes, 4u * src->width);
    return PF_Err_NONE;
}

// Registry: View at index 1 (id 1), Depth Layer at index 2 (id 202).
class RenderEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetParamRegistry();
        PF_ParamDef t{};
        (new ParamAddPopup(LUMORA_RS_OFFSET(view), LUMORA_RS_WIDTH(view), "View", t, 4, 1, "a|b|c|d"))->setId(1);
        layer = new ParamAddLayer(LUMORA_RS_OFFSET(depthLayer), LUMORA_RS_WIDTH(depthLayer), "Depth Layer", t,
                                  PF_LayerDefault_NONE);
        layer->setId(202);
        sealParamRegistry();
        fake.values[1].u.pd.value = 4;
        fake.values[1].uu.id = 1;
        fake.values[2].u.ld.width = 99;
        fake.values[2].uu.id = 202;
        array[0].u.ld = input.world;
        for (int i = 0; i < 3; ++i)
            params[i] = &array[i];
        utils = *fake.inData().utils;
        utils.copy = copyWorld;
        fake.inData().utils = &utils;
        fake.inData().extent_hint = PF_Rect{1, 2, 3, 4};
        g_copies = 0;
    }
    void TearDown() override { resetParamRegistry(); }

    embedhost::Host host{embedhost::HostProfile().withhold(kPFWorldSuite, kPFWorldSuiteVersion2)};
    FakeParamHost fake{host};
    PF_UtilCallbacks utils{};
    ParamAddLayer *layer = nullptr;
    Buffer input{0x11};
    Buffer output{0x00};
    PF_ParamDef array[3]{};
    PF_ParamDef *params[3]{};
    PF_OutData out{};
    // The render body: records the record it was given and answers with a chosen code.
    std::vector<RenderSettings> rendered;
    PF_Err renderResult = PF_Err_NONE;
    GlowRenderBody body = [this](RenderSettings &settings) {
        rendered.push_back(settings);
        return renderResult;
    };
};

TEST_F(RenderEntryTest, PremiereGetsTheInputCopied) {
    fake.inData().appl_id = kPremiere;
    for (std::size_t i = 0; i < input.pixels.size(); ++i)
        input.pixels[i] = static_cast<unsigned char>(i * 7);
    array[0].u.ld = input.world;
    EXPECT_EQ(glowClassicRender(&fake.inData(), &out, params, &output.world, body), PF_Err_NONE);
    EXPECT_EQ(output.pixels, input.pixels);
    EXPECT_EQ(g_copies, 1);
    EXPECT_TRUE(rendered.empty()) << "nothing else happens on Premiere";
    EXPECT_TRUE(fake.checkedOut.empty());
}

TEST_F(RenderEntryTest, ClassicRenderFillsTheRecord) {
    array[0].u.ld.world_flags = PF_WorldFlag_DEEP;
    ASSERT_EQ(glowClassicRender(&fake.inData(), &out, params, &output.world, body), PF_Err_NONE);
    ASSERT_EQ(rendered.size(), 1u);
    const RenderSettings &rs = rendered[0];
    EXPECT_EQ(rs.view, 4);
    EXPECT_EQ(rs.depthLayer, &layer->definition().u.ld);
    EXPECT_EQ(rs.in_data, &fake.inData());
    EXPECT_EQ(rs.out_data, &out);
    EXPECT_EQ(rs.input, &params[0]->u.ld);
    EXPECT_EQ(rs.output, &output.world);
    EXPECT_EQ(rs.pixelFormat, PF_PixelFormat_ARGB64);
    EXPECT_EQ(rs.inputRect.left, 1);
    EXPECT_EQ(rs.inputRect.bottom, 4);
    EXPECT_EQ(rs.smart, 0);
    EXPECT_EQ(rs.glowIntensity, 1.5);
    EXPECT_EQ(fake.checkedIn, (std::vector<A_long>{1, 202})) << "checked in after the render";
    EXPECT_EQ(g_copies, 0);
}

TEST_F(RenderEntryTest, RenderBodyFailureIsReturnedAfterCheckIn) {
    renderResult = PF_Err_OUT_OF_MEMORY;
    EXPECT_EQ(glowClassicRender(&fake.inData(), &out, params, &output.world, body), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(fake.checkedIn.size(), 2u);
}

TEST_F(RenderEntryTest, FailedCheckoutSkipsTheRenderButChecksIn) {
    fake.failCheckoutAt = 2;
    EXPECT_EQ(glowClassicRender(&fake.inData(), &out, params, &output.world, body), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_TRUE(rendered.empty());
    EXPECT_EQ(fake.checkedIn, (std::vector<A_long>{1}));
}

TEST(RenderRect, UnionAndTakeOver) {
    PF_LRect empty{0, 0, 0, 0};
    unionRect(empty, PF_LRect{-5, -6, 10, 12});
    EXPECT_EQ(empty.left, -5);
    EXPECT_EQ(empty.bottom, 12);
    PF_LRect r{0, 0, 4, 4};
    unionRect(r, PF_LRect{2, -3, 9, 1});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, -3);
    EXPECT_EQ(r.right, 9);
    EXPECT_EQ(r.bottom, 4);
    unionRect(r, PF_LRect{50, 50, 50, 60});
    EXPECT_EQ(r.right, 9) << "an empty rectangle adds nothing";
}

// Smart-render callbacks of a host whose input (id 0) and depth layer (id 1) are the test's.
struct SmartHost {
    static SmartHost *current;
    PF_EffectWorld *input = nullptr;
    PF_EffectWorld *depth = nullptr;
    PF_EffectWorld *output = nullptr;
    std::vector<A_long> pixelCheckouts, checkins;
    int outputCheckouts = 0;

    static PF_Err checkoutPixels(PF_ProgPtr, A_long id, PF_EffectWorld **pixels) {
        current->pixelCheckouts.push_back(id);
        *pixels = id == 0 ? current->input : id == 1 ? current->depth : nullptr;
        return *pixels ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
    }
    static PF_Err checkin(PF_ProgPtr, A_long id) {
        current->checkins.push_back(id);
        return PF_Err_NONE;
    }
    static PF_Err checkoutOutput(PF_ProgPtr, PF_EffectWorld **world) {
        ++current->outputCheckouts;
        *world = current->output;
        return PF_Err_NONE;
    }
};
SmartHost *SmartHost::current = nullptr;

class SmartRenderTest : public RenderEntryTest {
protected:
    void SetUp() override {
        RenderEntryTest::SetUp();
        SmartHost::current = &smart;
        smart.input = &input.world;
        smart.depth = &depth.world;
        smart.output = &output.world;
        input.world.origin_x = -7;
        input.world.origin_y = 5;
        callbacks = {SmartHost::checkoutPixels, SmartHost::checkin, SmartHost::checkoutOutput};
        settingsHandle = host.handles().newHandle(sizeof(RenderSettings));
        auto *rs = static_cast<RenderSettings *>(host.handles().lock(settingsHandle));
        initRenderSettings(*rs);
        rs->view = 3;
        rs->smart = 1;
        host.handles().unlock(settingsHandle);
        smartInput.pre_render_data = settingsHandle;
        extra = {&smartInput, &callbacks};
    }

    SmartHost smart;
    Buffer depth{0x22};
    PF_SmartRenderCallbacks callbacks{};
    PF_SmartRenderInput smartInput{};
    PF_SmartRenderExtra extra{};
    PF_Handle settingsHandle = nullptr;
};

TEST_F(SmartRenderTest, CompletesTheRecordAndRenders) {
    ASSERT_EQ(glowSmartRender(&fake.inData(), &out, &extra, body), PF_Err_NONE);
    ASSERT_EQ(rendered.size(), 1u);
    const RenderSettings &rs = rendered[0];
    EXPECT_EQ(rs.view, 3) << "what the pre-render stored";
    EXPECT_EQ(rs.smart, 1);
    EXPECT_EQ(rs.in_data, &fake.inData());
    EXPECT_EQ(rs.input, &input.world);
    EXPECT_EQ(rs.output, &output.world);
    EXPECT_EQ(rs.depthLayer, &depth.world);
    EXPECT_EQ(rs.pixelFormat, PF_PixelFormat_ARGB32);
    EXPECT_EQ(rs.inputRect.left, 0);
    EXPECT_EQ(rs.inputRect.top, 0);
    EXPECT_EQ(rs.inputRect.right, 3);
    EXPECT_EQ(rs.inputRect.bottom, 2);
    EXPECT_EQ(rs.inputPlacement.left, -7);
    EXPECT_EQ(rs.inputPlacement.top, 5);
    EXPECT_EQ(rs.inputPlacement.right, -4);
    EXPECT_EQ(rs.inputPlacement.bottom, 7);
    EXPECT_EQ(smart.pixelCheckouts, (std::vector<A_long>{0, 1}));
    EXPECT_EQ(smart.checkins, (std::vector<A_long>{0}));
    EXPECT_EQ(host.handles().lockCount(settingsHandle), 0);
}

TEST_F(SmartRenderTest, NoPreRenderDataIs512) {
    smartInput.pre_render_data = nullptr;
    EXPECT_EQ(glowSmartRender(&fake.inData(), &out, &extra, body), PF_Err_INTERNAL_STRUCT_DAMAGED);
    smartInput.pre_render_data = settingsHandle;
    host.handles().failNextLock();
    EXPECT_EQ(glowSmartRender(&fake.inData(), &out, &extra, body), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_TRUE(smart.pixelCheckouts.empty());
}

TEST_F(SmartRenderTest, MissingOutputChecksTheInputIn) {
    smart.output = nullptr;
    EXPECT_EQ(glowSmartRender(&fake.inData(), &out, &extra, body), PF_Err_NONE);
    EXPECT_TRUE(rendered.empty());
    EXPECT_EQ(smart.checkins, (std::vector<A_long>{0}));
    EXPECT_EQ(host.handles().lockCount(settingsHandle), 0);
}

TEST_F(SmartRenderTest, MissingDepthStopsBeforeTheRender) {
    smart.depth = nullptr;
    EXPECT_EQ(glowSmartRender(&fake.inData(), &out, &extra, body), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_TRUE(rendered.empty());
    EXPECT_TRUE(smart.checkins.empty());
    EXPECT_EQ(host.handles().lockCount(settingsHandle), 0);
}

// Pre-render: layer checkouts by (index, checkout id) and their answers.
struct Checkout {
    A_long index, id;
};
std::vector<Checkout> g_checkouts;
PF_Err checkoutLayer(PF_ProgPtr, PF_ParamIndex index, A_long id, const PF_RenderRequest *, A_long, A_long, A_u_long,
                     PF_CheckoutResult *result) {
    g_checkouts.push_back({index, id});
    *result = PF_CheckoutResult{};
    if (index == 0) {
        result->result_rect = PF_LRect{0, 0, 30, 20};
        result->max_result_rect = PF_LRect{-1, -1, 31, 21};
    }
    return PF_Err_NONE;
}

TEST_F(RenderEntryTest, PreRenderPreparesTheSettingsHandle) {
    g_checkouts.clear();
    PF_PreRenderInput preInput{};
    PF_PreRenderOutput preOutput{};
    PF_PreRenderCallbacks cb{checkoutLayer, nullptr};
    PF_PreRenderExtra preExtra{&preInput, &preOutput, &cb};
    const std::size_t liveBefore = host.handles().live();
    ASSERT_EQ(glowSmartPreRender(&fake.inData(), &preExtra), PF_Err_NONE);

    auto handle = static_cast<PF_Handle>(preOutput.pre_render_data);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(host.handles().size(handle), sizeof(RenderSettings));
    EXPECT_EQ(host.handles().lockCount(handle), 0);
    const auto *rs = static_cast<const RenderSettings *>(host.handles().lock(handle));
    EXPECT_EQ(rs->smart, 1);
    EXPECT_EQ(rs->view, 4);
    EXPECT_EQ(rs->depthLayer, nullptr);
    EXPECT_EQ(rs->glowIntensity, 1.5);
    host.handles().unlock(handle);

    ASSERT_EQ(g_checkouts.size(), 3u);
    EXPECT_EQ(g_checkouts[0].index, 2);
    EXPECT_EQ(g_checkouts[0].id, 1000001);
    EXPECT_EQ(g_checkouts[1].index, 2);
    EXPECT_EQ(g_checkouts[1].id, 1);
    EXPECT_EQ(g_checkouts[2].index, 0);
    EXPECT_EQ(g_checkouts[2].id, 0);
    // Half the host's 640 x 480 item beyond it on every side, the source's rectangles inside that.
    const PF_LRect declared{-320, -240, 960, 720};
    for (const PF_LRect &r : {preOutput.result_rect, preOutput.max_result_rect})
        EXPECT_TRUE(r.left == declared.left && r.top == declared.top && r.right == declared.right &&
                    r.bottom == declared.bottom)
            << r.left << " " << r.top << " " << r.right << " " << r.bottom;
    EXPECT_EQ(preOutput.flags, PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS);
    const PF_LRect &asked = preInput.output_request.rect;
    EXPECT_TRUE(asked.left == 0 && asked.top == 0 && asked.right == 640 && asked.bottom == 480);
    EXPECT_TRUE(preInput.output_request.preserve_rgb_of_zero_alpha);
    EXPECT_EQ(fake.checkedOut, (std::vector<A_long>{1})) << "the layer is not read into a temporary";
    EXPECT_EQ(fake.checkedIn, fake.checkedOut) << "every temporary is checked in again";
    EXPECT_EQ(layer->definition().u.ld.width, 0) << "shared objects untouched";

    ASSERT_NE(preOutput.delete_pre_render_data_func, nullptr);
    preOutput.delete_pre_render_data_func(preOutput.pre_render_data);
    EXPECT_FALSE(host.handles().isLive(handle));
    EXPECT_EQ(host.handles().live(), liveBefore);
}

TEST_F(RenderEntryTest, PreRenderWithoutMemoryIs4) {
    PF_PreRenderInput preInput{};
    PF_PreRenderOutput preOutput{};
    PF_PreRenderCallbacks cb{checkoutLayer, nullptr};
    PF_PreRenderExtra preExtra{&preInput, &preOutput, &cb};
    host.handles().failNewHandleAfter(0);
    EXPECT_EQ(glowSmartPreRender(&fake.inData(), &preExtra), PF_Err_OUT_OF_MEMORY);
    host.handles().failNextLock();
    const std::size_t live = host.handles().live();
    EXPECT_EQ(glowSmartPreRender(&fake.inData(), &preExtra), PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(host.handles().live(), live) << "the unlockable handle is freed";
}

} // namespace
