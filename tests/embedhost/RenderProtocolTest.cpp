// Host::renderFrame against a fake effect: what pre-render and smart render receive, the layer
// checkouts, the output world, the delete callback, misuse, interruption and the classic path.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "FakeEffect.h"
#include "embedhost/Host.h"

using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Image;
using embedhost::kInputLayerId;
using embedhost::ParamValue;
using embedhost::Plugin;
using embedhost::RenderOutput;
using embedhost::RenderPath;

namespace {

// Render commands go to the test's functions; everything else to the shared fake effect.
std::function<PF_Err(PF_InData *, PF_PreRenderExtra *)> gPreRender;
std::function<PF_Err(PF_InData *, PF_SmartRenderExtra *)> gSmartRender;
std::function<PF_Err(PF_InData *, PF_ParamDef *[], PF_LayerDef *)> gRender;
int gSmartRenders = 0;
int gDeletes = 0;
void *gDeleted = nullptr;

void deletePreRenderData(void *data) {
    ++gDeletes;
    gDeleted = data;
}

PF_Err entry(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
    if (cmd == PF_Cmd_SMART_PRE_RENDER && gPreRender)
        return gPreRender(in, static_cast<PF_PreRenderExtra *>(extra));
    if (cmd == PF_Cmd_SMART_RENDER) {
        ++gSmartRenders;
        return gSmartRender ? gSmartRender(in, static_cast<PF_SmartRenderExtra *>(extra)) : PF_Err_NONE;
    }
    if (cmd == PF_Cmd_RENDER && gRender)
        return gRender(in, params, output);
    return fake::entry(cmd, in, out, params, output, extra);
}

Image redRow(const std::vector<int> &reds) {
    Image image = Image::make(A_long(reds.size()), 1, PF_PixelFormat_ARGB32);
    for (std::size_t x = 0; x < reds.size(); ++x)
        image.row<PF_Pixel8>(0)[x] = PF_Pixel8{255, A_u_char(reds[x]), 0, 0};
    return image;
}

// Index 1 is a layer parameter ("Depth"), index 2 a slider.
class RenderProtocol : public ::testing::Test {
protected:
    void SetUp() override { start(HostProfile{}); }
    void start(HostProfile profile) {
        host_.reset();
        fake::reset();
        gPreRender = nullptr;
        gSmartRender = nullptr;
        gRender = nullptr;
        gSmartRenders = gDeletes = 0;
        gDeleted = nullptr;
        fake::effect().defs = {fake::layer("Depth", 4), fake::floatSlider("Amount", 5, 0, 100, 0, 100, 0)};
        host_ = std::make_unique<Host>(Plugin::linked(entry), std::move(profile));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
    }
    void TearDown() override {
        gPreRender = nullptr;
        gSmartRender = nullptr;
        gRender = nullptr;
        if (host_) {
            EXPECT_EQ(host_->worlds().live(), 0u);
            host_->tearDown();
        }
    }
    // Pre-render that checks out index `index` as id `id` for the whole request and declares
    // the result rectangle `declared` (empty: the checkout's).
    void checkoutThenDeclare(PF_ParamIndex index, A_long id, PF_CheckoutResult *seen, PF_LRect declared = {}) {
        gPreRender = [=](PF_InData *in, PF_PreRenderExtra *x) {
            PF_CheckoutResult r{};
            PF_Err err = x->cb->checkout_layer(in->effect_ref, index, id, &x->input->output_request, in->current_time,
                                               in->time_step, in->time_scale, &r);
            if (seen)
                *seen = r;
            x->output->result_rect = declared.right > declared.left ? declared : r.result_rect;
            x->output->max_result_rect = x->output->result_rect;
            x->output->pre_render_data = &gDeletes;
            x->output->delete_pre_render_data_func = deletePreRenderData;
            return err;
        };
    }
    std::unique_ptr<Host> host_;
};

TEST_F(RenderProtocol, InDataGivesTheLayerSizeAndTheRequestTheDownsampledOne) {
    HostProfile p;
    p.downsampleX = PF_RationalScale{1, 2};
    p.downsampleY = PF_RationalScale{1, 3};
    start(p);
    host_->setLayer(kInputLayerId, Image::make(5, 7, PF_PixelFormat_ARGB64));
    // The layer size itself; the hint and the request are downsampled: ceil(5 / 2) = 3, ceil(7 / 3) = 3.
    EXPECT_EQ(host_->inData().width, 5);
    EXPECT_EQ(host_->inData().height, 7);
    EXPECT_EQ(host_->inData().extent_hint.right, 3);
    EXPECT_EQ(host_->inData().extent_hint.bottom, 3);
    PF_RenderRequest request{};
    A_short depth = 0;
    gPreRender = [&](PF_InData *, PF_PreRenderExtra *x) {
        request = x->input->output_request;
        depth = x->input->bitdepth;
        return PF_Err_NONE;
    };
    const RenderOutput out = host_->renderFrame();
    EXPECT_EQ(out.err, PF_Err_NONE);
    EXPECT_EQ(request.rect.left, 0);
    EXPECT_EQ(request.rect.right, 3);
    EXPECT_EQ(request.rect.bottom, 3);
    EXPECT_EQ(request.channel_mask, PF_ChannelMask_ARGB);
    EXPECT_EQ(depth, 16);
    EXPECT_TRUE(out.image.empty()); // nothing declared: no smart render
    EXPECT_EQ(gSmartRenders, 0);
}

TEST_F(RenderProtocol, CheckoutClipsTheRequestToTheLayer) {
    host_->setLayer(kInputLayerId, Image::make(5, 3, PF_PixelFormat_ARGB32));
    PF_CheckoutResult r{};
    gPreRender = [&](PF_InData *in, PF_PreRenderExtra *x) {
        PF_RenderRequest req = x->input->output_request;
        req.rect = PF_LRect{-2, -2, 10, 1};
        return x->cb->checkout_layer(in->effect_ref, 0, 0, &req, 0, 1, 30, &r);
    };
    EXPECT_EQ(host_->renderFrame().err, PF_Err_NONE);
    EXPECT_EQ(r.result_rect.left, 0);
    EXPECT_EQ(r.result_rect.top, 0);
    EXPECT_EQ(r.result_rect.right, 5);
    EXPECT_EQ(r.result_rect.bottom, 1);
    EXPECT_EQ(r.max_result_rect.right, 5);
    EXPECT_EQ(r.max_result_rect.bottom, 3);
    EXPECT_EQ(r.ref_width, 5);
    EXPECT_EQ(r.ref_height, 3);
}

TEST_F(RenderProtocol, LayerParameterWithoutLayerGivesEmptyRectsAndNoPixels) {
    host_->setLayer(kInputLayerId, Image::make(4, 4, PF_PixelFormat_ARGB32));
    for (A_long chosen : {A_long(PF_LayerDefault_NONE), A_long(7)}) { // none, and an id never set
        host_->params().setValue(1, ParamValue::layerChoice(chosen));
        PF_CheckoutResult r{};
        r.ref_width = 99;
        PF_EffectWorld *pixels = &fake::effect().defs[0].u.ld; // anything but null
        gPreRender = [&](PF_InData *in, PF_PreRenderExtra *x) {
            PF_Err err = x->cb->checkout_layer(in->effect_ref, 1, 1, &x->input->output_request, 0, 1, 30, &r);
            x->output->result_rect = PF_LRect{0, 0, 1, 1};
            return err;
        };
        gSmartRender = [&](PF_InData *in, PF_SmartRenderExtra *x) {
            PF_Err err = x->cb->checkout_layer_pixels(in->effect_ref, 1, &pixels);
            return err ? err : x->cb->checkin_layer_pixels(in->effect_ref, 1);
        };
        EXPECT_EQ(host_->renderFrame().err, PF_Err_NONE) << chosen;
        EXPECT_EQ(r.result_rect.right, 0) << chosen;
        EXPECT_EQ(r.max_result_rect.right, 0) << chosen;
        EXPECT_EQ(r.ref_width, 0) << chosen;
        EXPECT_EQ(pixels, nullptr) << chosen;
    }
    EXPECT_TRUE(host_->frames().problems().empty());
}

TEST_F(RenderProtocol, LayerParameterLendsItsLayerInTheInputsDepth) {
    host_->setLayer(kInputLayerId, Image::make(3, 1, PF_PixelFormat_ARGB64));
    host_->setLayer(2, redRow({0, 255, 51}));
    host_->params().setValue(1, ParamValue::layerChoice(2));
    checkoutThenDeclare(1, 1, nullptr);
    std::vector<A_u_short> reds;
    PF_PixelFormat format = 0;
    gSmartRender = [&](PF_InData *in, PF_SmartRenderExtra *x) {
        PF_EffectWorld *w = nullptr;
        if (PF_Err err = x->cb->checkout_layer_pixels(in->effect_ref, 1, &w))
            return err;
        host_->worlds().pixelFormat(w, &format);
        for (A_long i = 0; i < w->width; ++i)
            reds.push_back(reinterpret_cast<PF_Pixel16 *>(w->data)[i].red);
        return x->cb->checkin_layer_pixels(in->effect_ref, 1);
    };
    EXPECT_EQ(host_->renderFrame().err, PF_Err_NONE);
    EXPECT_EQ(format, PF_PixelFormat_ARGB64);
    EXPECT_EQ(reds, (std::vector<A_u_short>{0, 32768, 6554})); // 51 * 32768 / 255 = 6553.6
}

TEST_F(RenderProtocol, OutputWorldIsTheDeclaredRectangle) {
    host_->setLayer(kInputLayerId, redRow({1, 2, 3}));
    checkoutThenDeclare(0, 0, nullptr, PF_LRect{-2, -1, 7, 4});
    PF_EffectWorld *first = nullptr, *second = nullptr;
    gSmartRender = [&](PF_InData *in, PF_SmartRenderExtra *x) {
        x->cb->checkout_output(in->effect_ref, &first);
        x->cb->checkout_output(in->effect_ref, &second);
        reinterpret_cast<PF_Pixel8 *>(first->data)[8] = PF_Pixel8{255, 9, 9, 9};
        return PF_Err_NONE;
    };
    const RenderOutput out = host_->renderFrame();
    ASSERT_EQ(out.err, PF_Err_NONE);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(out.image.width, 9);
    EXPECT_EQ(out.image.height, 5);
    EXPECT_EQ(out.originX, -2);
    EXPECT_EQ(out.originY, -1);
    EXPECT_EQ(out.resultRect.right, 7);
    EXPECT_EQ(out.image.row<PF_Pixel8>(0)[8].red, 9);
    EXPECT_EQ(out.image.row<PF_Pixel8>(0)[7].alpha, 0);
    EXPECT_EQ(gDeletes, 1);
}

TEST_F(RenderProtocol, DeleteCallbackRunsOnceWhateverHappens) {
    host_->setLayer(kInputLayerId, redRow({1}));
    checkoutThenDeclare(0, 0, nullptr);
    EXPECT_EQ(host_->renderFrame().err, PF_Err_NONE); // rendered
    EXPECT_EQ(gDeletes, 1);
    EXPECT_EQ(gDeleted, &gDeletes);
    EXPECT_EQ(gSmartRenders, 1);

    gSmartRender = [](PF_InData *, PF_SmartRenderExtra *) { return PF_Err_OUT_OF_MEMORY; };
    EXPECT_EQ(host_->renderFrame().err, PF_Err_OUT_OF_MEMORY); // render failed
    EXPECT_EQ(gDeletes, 2);

    checkoutThenDeclare(5, 0, nullptr); // index 5 does not exist: pre-render fails
    EXPECT_EQ(host_->renderFrame().err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(gDeletes, 3);
    EXPECT_EQ(gSmartRenders, 2);

    host_->params().setValue(1, ParamValue::layerChoice(PF_LayerDefault_NONE));
    checkoutThenDeclare(1, 0, nullptr); // no layer: empty result, nothing to render
    const RenderOutput out = host_->renderFrame();
    EXPECT_EQ(out.err, PF_Err_NONE);
    EXPECT_TRUE(out.image.empty());
    EXPECT_EQ(gSmartRenders, 2);
    EXPECT_EQ(gDeletes, 4);
}

TEST_F(RenderProtocol, MisuseIsRefusedAndNoted) {
    host_->setLayer(kInputLayerId, redRow({1, 2}));
    checkoutThenDeclare(2, 0, nullptr); // index 2 is a slider
    EXPECT_EQ(host_->renderFrame().err, PF_Err_BAD_CALLBACK_PARAM);
    ASSERT_EQ(host_->frames().problems().size(), 1u);
    EXPECT_NE(host_->frames().problems()[0].find("index 2"), std::string::npos);

    checkoutThenDeclare(0, 0, nullptr);
    PF_Err neverCheckedOut = PF_Err_NONE, checkinTwice = PF_Err_NONE;
    gSmartRender = [&](PF_InData *in, PF_SmartRenderExtra *x) {
        PF_EffectWorld *w = nullptr;
        neverCheckedOut = x->cb->checkout_layer_pixels(in->effect_ref, 1, &w);
        x->cb->checkout_layer_pixels(in->effect_ref, 0, &w);
        x->cb->checkin_layer_pixels(in->effect_ref, 0);
        checkinTwice = x->cb->checkin_layer_pixels(in->effect_ref, 0);
        x->cb->checkout_layer_pixels(in->effect_ref, 0, &w); // left for the host to check in
        return PF_Err_NONE;
    };
    const std::size_t worldsBefore = host_->worlds().live();
    EXPECT_EQ(host_->renderFrame().err, PF_Err_NONE);
    EXPECT_EQ(neverCheckedOut, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(checkinTwice, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host_->frames().problems().size(), 3u);
    EXPECT_EQ(host_->worlds().live(), worldsBefore); // the pixels left out were reclaimed
}

TEST_F(RenderProtocol, ProgressReportsTheInterrupt) {
    host_->setLayer(kInputLayerId, redRow({1}));
    checkoutThenDeclare(0, 0, nullptr);
    host_->interaction().interruptAfterProgressCalls(1);
    PF_Err firstAnswer = -1;
    gSmartRender = [&](PF_InData *in, PF_SmartRenderExtra *) {
        firstAnswer = in->inter.progress(in->effect_ref, 1, 2);
        return in->inter.progress(in->effect_ref, 2, 2);
    };
    EXPECT_EQ(host_->renderFrame().err, PF_Interrupt_CANCEL);
    EXPECT_EQ(firstAnswer, PF_Err_NONE);
    EXPECT_EQ(host_->interaction().lastProgressCurrent(), 2);
}

TEST_F(RenderProtocol, ClassicRenderPassesTheDownsampledInput) {
    HostProfile p;
    p.downsampleX = PF_RationalScale{1, 2};
    start(p);
    host_->setLayer(kInputLayerId, redRow({10, 20, 30, 40}));
    A_long inputWidth = 0, outputWidth = 0;
    gRender = [&](PF_InData *in, PF_ParamDef *params[], PF_LayerDef *output) {
        inputWidth = params[0]->u.ld.width;
        outputWidth = output->width;
        return in->utils->copy(in->effect_ref, &params[0]->u.ld, output, nullptr, nullptr);
    };
    const RenderOutput out = host_->renderFrame(RenderPath::Classic);
    ASSERT_EQ(out.err, PF_Err_NONE);
    EXPECT_EQ(inputWidth, 2);
    EXPECT_EQ(outputWidth, 2);
    ASSERT_EQ(out.image.width, 2);
    // Nearest source pixels 0 and 2.
    EXPECT_EQ(out.image.row<PF_Pixel8>(0)[0].red, 10);
    EXPECT_EQ(out.image.row<PF_Pixel8>(0)[1].red, 30);
}

TEST_F(RenderProtocol, RenderWithoutInputLayerThrows) {
    EXPECT_THROW(host_->renderFrame(), std::logic_error);
    // The host stays usable.
    host_->setLayer(kInputLayerId, redRow({1}));
    EXPECT_EQ(host_->renderFrame(RenderPath::Classic).err, PF_Err_NONE);
}

} // namespace
