// Layer parameters on the classic path: checkout_param during Host::renderFrame(Classic) lends
// the chosen layer's pixels, and the built module checks its Depth Layer out only when enabled.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/Host.h"
#include "params/GlowParams.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Image;
using embedhost::kInputLayerId;
using embedhost::ParamValue;
using embedhost::Plugin;
using embedhost::RenderPath;

namespace {

constexpr A_long kDepthId = 5; // the layer the fake's "Depth" parameter names

// Index 1 is the fake's layer parameter; PF_Cmd_RENDER runs the test's body.
class ClassicLayer : public ::testing::Test {
protected:
    void SetUp() override { start(HostProfile{}); }
    void start(HostProfile profile) {
        host_.reset();
        fake::reset();
        fake::effect().defs = {fake::layer("Depth", 4)};
        fake::effect().hook = [this](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *[], void *, PF_Err *r) {
            if (cmd != PF_Cmd_RENDER || !render_)
                return false;
            *r = render_(in);
            return true;
        };
        host_ = std::make_unique<Host>(Plugin::linked(fake::entry), std::move(profile));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
        host_->setLayer(kInputLayerId, Image::make(4, 2, PF_PixelFormat_ARGB32));
    }
    void TearDown() override {
        if (host_) {
            EXPECT_EQ(host_->worlds().live(), 0u);
            host_->tearDown();
        }
        fake::effect().hook = nullptr;
    }
    PF_Err checkout(PF_InData *in, PF_ParamDef *def) {
        return in->inter.checkout_param(in->effect_ref, 1, in->current_time, in->time_step, in->time_scale, def);
    }

    std::unique_ptr<Host> host_;
    std::function<PF_Err(PF_InData *)> render_;
};

TEST_F(ClassicLayer, LendsTheLayerAtTheDownsampleInTheInputsDepthUntilCheckin) {
    HostProfile half;
    half.downsampleX = half.downsampleY = PF_RationalScale{1, 2};
    start(half);
    // 16 bpc, 6 x 4: red by column, green by row. At half size (3 x 2) columns 0, 2, 4 and
    // rows 0, 2 remain; 8 bpc red 32768 -> 255, 6554 -> 51.003 -> 51, green 32768 -> 255.
    Image depth = Image::make(6, 4, PF_PixelFormat_ARGB64);
    const A_u_short reds[6] = {32768, 1, 6554, 1, 0, 1};
    for (A_long y = 0; y < 4; ++y)
        for (A_long x = 0; x < 6; ++x)
            depth.row<PF_Pixel16>(y)[x] = PF_Pixel16{32768, reds[x], A_u_short(y == 2 ? 32768 : 0), 0};
    host_->setLayer(kDepthId, depth);
    host_->params().setValue(1, ParamValue::layerChoice(kDepthId));

    PF_ParamDef def{};
    PF_PixelFormat format = 0;
    std::size_t liveBefore = 0, liveLent = 0, liveAfter = 0;
    std::vector<int> row0Reds, row1Greens;
    PF_Err in = -1;
    render_ = [&](PF_InData *data) -> PF_Err {
        liveBefore = host_->worlds().live();
        if (PF_Err err = checkout(data, &def))
            return err;
        liveLent = host_->worlds().live();
        const PF_LayerDef &ld = def.u.ld;
        host_->worlds().pixelFormat(&ld, &format);
        const auto *row1 = reinterpret_cast<const PF_Pixel8 *>(reinterpret_cast<const char *>(ld.data) + ld.rowbytes);
        for (A_long x = 0; x < ld.width; ++x) {
            row0Reds.push_back(ld.data[x].red);
            row1Greens.push_back(row1[x].green);
        }
        EXPECT_EQ(ld.origin_x, 0);
        EXPECT_EQ(ld.origin_y, 0);
        EXPECT_EQ(ld.height, 2);
        in = data->inter.checkin_param(data->effect_ref, &def);
        liveAfter = host_->worlds().live();
        return PF_Err_NONE;
    };
    ASSERT_EQ(host_->renderFrame(RenderPath::Classic).err, PF_Err_NONE);
    EXPECT_EQ(format, PF_PixelFormat_ARGB32);
    EXPECT_EQ(row0Reds, (std::vector<int>{255, 51, 0}));
    EXPECT_EQ(row1Greens, (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(in, PF_Err_NONE);
    EXPECT_EQ(liveLent, liveBefore + 1);
    EXPECT_EQ(liveAfter, liveBefore);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 0u);
    EXPECT_EQ(host_->params().checkoutsOf(1), 1);
}

TEST_F(ClassicLayer, NoneAnUnsetIdOrNoRenderGiveAZeroedLayer) {
    host_->setLayer(kDepthId, Image::make(3, 3, PF_PixelFormat_ARGB32));
    PF_LayerDef seen{};
    render_ = [&](PF_InData *data) -> PF_Err {
        PF_ParamDef def{};
        def.u.ld.width = 99; // anything the host must overwrite
        const PF_Err err = checkout(data, &def);
        seen = def.u.ld;
        return err ? err : data->inter.checkin_param(data->effect_ref, &def);
    };
    for (A_long chosen : {A_long(PF_LayerDefault_NONE), A_long(7)}) {
        host_->params().setValue(1, ParamValue::layerChoice(chosen));
        EXPECT_EQ(host_->renderFrame(RenderPath::Classic).err, PF_Err_NONE) << chosen;
        EXPECT_EQ(seen.data, nullptr) << chosen;
        EXPECT_EQ(seen.width, 0) << chosen;
        EXPECT_EQ(seen.height, 0) << chosen;
    }
    // A layer that exists, but PF_Cmd_RENDER sent outside a frame the host renders.
    host_->params().setValue(1, ParamValue::layerChoice(kDepthId));
    PF_ParamDef *none[] = {nullptr};
    EXPECT_EQ(host_->send(PF_Cmd_RENDER, none).err, PF_Err_NONE);
    EXPECT_EQ(seen.data, nullptr);
    EXPECT_EQ(seen.width, 0);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 0u);
}

TEST_F(ClassicLayer, LayersLeftOutGoBackWithTheFrameAndStayOnRecord) {
    host_->setLayer(kDepthId, Image::make(3, 3, PF_PixelFormat_ARGB32));
    host_->params().setValue(1, ParamValue::layerChoice(kDepthId));
    PF_ParamDef kept{}, twice{};
    std::size_t liveDuring = 0;
    render_ = [&](PF_InData *data) -> PF_Err {
        checkout(data, &kept);
        checkout(data, &twice);
        checkout(data, &twice); // again before its check-in: a second world
        data->inter.checkin_param(data->effect_ref, &twice);
        liveDuring = host_->worlds().live();
        return PF_Err_NONE;
    };
    const std::size_t before = host_->worlds().live();
    ASSERT_EQ(host_->renderFrame(RenderPath::Classic).err, PF_Err_NONE);
    EXPECT_EQ(liveDuring, before + 2 + 2); // input and output, `kept` and the first `twice`
    EXPECT_EQ(host_->worlds().live(), before);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 2u);
    EXPECT_FALSE(host_->params().problems().empty()); // the repeated checkout

    // A late check-in closes the record; its world is already gone and is not freed twice.
    PF_Err late = -1;
    fake::during(*host_, PF_Cmd_FRAME_SETDOWN, [&](PF_InData *data, PF_OutData *, PF_ParamDef *[], void *) {
        late = data->inter.checkin_param(data->effect_ref, &kept);
    });
    EXPECT_EQ(late, PF_Err_NONE);
    EXPECT_EQ(host_->params().outstandingCheckouts(), 1u);
    EXPECT_EQ(host_->worlds().live(), before);
}

// The built module: the Depth Layer goes out only while the depth controls are enabled, as
// PF_Cmd_UPDATE_PARAMS_UI left them, and every world it was lent comes back.
TEST(ClassicDepthLayer, CheckedOutOnlyWithDepthEffectsOn) {
    Host host(Plugin::load(LUMORA_MODULE_PATH));
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    host.setLayer(kInputLayerId, Image::make(8, 6, PF_PixelFormat_ARGB32));
    host.setLayer(kDepthId, Image::make(5, 3, PF_PixelFormat_ARGB64));
    embedhost::EffectParams &params = host.params();
    const PF_ParamIndex depth = params.indexOfId(AEUtil::kIdDepthLayer).value_or(0);
    ASSERT_GT(depth, 0);
    params.setValueById(AEUtil::kIdDepthLayer, ParamValue::layerChoice(kDepthId));

    ASSERT_EQ(host.command(PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
    ASSERT_TRUE(params.disabled(depth)); // Enable Depth Effects is off by default
    const std::size_t live = host.worlds().live();
    EXPECT_EQ(host.renderFrame(RenderPath::Classic).err, PF_Err_NONE);
    EXPECT_EQ(params.checkoutsOf(depth), 0);

    params.setValueById(AEUtil::kIdEnableDepth, ParamValue::checkbox(true));
    ASSERT_EQ(host.command(PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
    ASSERT_FALSE(params.disabled(depth));
    EXPECT_EQ(host.renderFrame(RenderPath::Classic).err, PF_Err_NONE);
    EXPECT_EQ(params.checkoutsOf(depth), 1);
    EXPECT_EQ(params.outstandingCheckouts(), 0u);
    EXPECT_EQ(host.worlds().live(), live);
    EXPECT_TRUE(host.frames().problems().empty());
    host.tearDown();
}

} // namespace
