// The effect panel driving a fake plug-in's custom control: contexts, clicks with their drags,
// redraws, value changes and the dialogs the panel's caller answers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "FakeEffect.h"
#include "embedhost/EffectPanel.h"
#include "embedhost/Host.h"

using embedhost::EffectPanel;
using embedhost::Host;
using embedhost::PanelOptions;

namespace {

constexpr PF_ParamIndex kBar = 1;

struct Seen {
    PF_EventType type;
    PF_Context context;
    PF_ContextH handle;
    PF_EffectWindowInfo win;
    PF_DoClickEventInfo click;
};

template <class Suite>
const Suite *suite(PF_InData *in, const char *name, int version) {
    const void *table = nullptr;
    EXPECT_EQ(in->pica_basicP->AcquireSuite(name, version, &table), kSPNoError) << name;
    in->pica_basicP->ReleaseSuite(name, version);
    return static_cast<const Suite *>(table);
}

class Panel : public ::testing::Test {
protected:
    using Answer = std::function<void(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_EventExtra &)>;

    void SetUp() override {
        fake::reset();
        fake::Effect &e = fake::effect();
        PF_ParamDef bar = fake::arbitrary("Bar", 2);
        bar.ui_height = 88;
        e.defs = {bar};
        e.outFlags = PF_OutFlag_CUSTOM_UI;
        e.registerUi = true;
        e.ui.events = PF_CustomEFlag_EFFECT;
        e.hook = [this](PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], void *x, PF_Err *) {
            if (cmd != PF_Cmd_EVENT)
                return false;
            auto &extra = *static_cast<PF_EventExtra *>(x);
            seen_.push_back({extra.e_type, **extra.contextH, extra.contextH, extra.effect_win, extra.u.do_click});
            if (answer_)
                answer_(in, out, params, extra);
            return false;
        };
        host_ = std::make_unique<Host>(embedhost::Plugin::linked(fake::entry));
        ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
    }
    void TearDown() override { fake::effect().hook = nullptr; }

    std::unique_ptr<Host> host_;
    std::vector<Seen> seen_;
    Answer answer_;
};

TEST_F(Panel, OpensAContextForTheControlAndClosesIt) {
    {
        EffectPanel panel(*host_, kBar, PanelOptions{.width = 250});
        EXPECT_EQ(panel.frame().right, 250);
        EXPECT_EQ(panel.frame().bottom, 88);
    }
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ(seen_[0].type, PF_Event_NEW_CONTEXT);
    EXPECT_EQ(seen_[1].type, PF_Event_CLOSE_CONTEXT);
    EXPECT_EQ(seen_[0].handle, seen_[1].handle);
    EXPECT_EQ(seen_[0].context.magic, static_cast<A_u_long>(PF_CONTEXT_MAGIC));
    EXPECT_EQ(seen_[0].context.w_type, PF_Window_EFFECT);
    EXPECT_EQ(seen_[0].win.index, kBar);
    EXPECT_EQ(seen_[0].win.area, PF_EA_CONTROL);
    EXPECT_EQ(seen_[0].win.current_frame.right, 250);
}

TEST_F(Panel, RefusesAPluginThatDidNotAskForCustomUi) {
    host_.reset();
    fake::effect().outFlags = 0;
    host_ = std::make_unique<Host>(embedhost::Plugin::linked(fake::entry));
    ASSERT_EQ(host_->setUp().err, PF_Err_NONE);
    EXPECT_THROW(EffectPanel(*host_, kBar), std::logic_error);
    EXPECT_TRUE(seen_.empty());
}

TEST_F(Panel, ADragCarriesTheClicksRefconAndEndsWithTheRelease) {
    answer_ = [](PF_InData *, PF_OutData *, PF_ParamDef *[], PF_EventExtra &x) {
        if (x.e_type == PF_Event_DO_CLICK) {
            x.u.do_click.send_drag = x.u.do_click.num_clicks == 1;
            x.u.do_click.continue_refcon[0] = 42;
        }
    };
    EffectPanel panel(*host_, kBar);
    panel.click(10, 20);
    EXPECT_TRUE(panel.drag(15, 21).sent);
    EXPECT_TRUE(panel.release(16, 22).sent);
    EXPECT_FALSE(panel.release(16, 22).sent); // the drag is over
    ASSERT_EQ(seen_.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(seen_[i].type, i == 1 ? PF_Event_DO_CLICK : PF_Event_DRAG);
        EXPECT_EQ(seen_[i].click.continue_refcon[0], i == 1 ? 0 : 42);
        EXPECT_EQ(seen_[i].click.last_time, i == 3);
    }
    EXPECT_EQ(seen_[3].click.screen_point.h, 16);

    panel.click(10, 20, PF_Mod_NONE, 2); // no drag asked for
    EXPECT_FALSE(panel.dragging());
    EXPECT_FALSE(panel.drag(11, 20).sent);
}

#ifdef LUMORA_EMBEDHOST_DRAWBOT
TEST_F(Panel, UpdateNowDrawsAtOnceThroughTheDrawingSuites) {
    answer_ = [](PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_EventExtra &x) {
        if (x.e_type == PF_Event_DO_CLICK)
            x.evt_out_flags = PF_EO_HANDLED_EVENT | PF_EO_UPDATE_NOW;
        if (x.e_type != PF_Event_DRAW)
            return;
        DRAWBOT_DrawRef ref = nullptr;
        ASSERT_EQ(
            suite<PF_EffectCustomUISuite1>(in, kPFEffectCustomUISuite, 1)->PF_GetDrawingReference(x.contextH, &ref),
            PF_Err_NONE);
        DRAWBOT_SurfaceRef surface = nullptr;
        suite<DRAWBOT_DrawbotSuite1>(in, kDRAWBOT_DrawSuite, 1)->GetSurface(ref, &surface);
        const DRAWBOT_ColorRGBA red{1, 0, 0, 1};
        const DRAWBOT_RectF32 rect{2, 3, 4, 5};
        EXPECT_EQ(suite<DRAWBOT_SurfaceSuite2>(in, kDRAWBOT_SurfaceSuite, 2)->PaintRect(surface, &red, &rect),
                  PF_Err_NONE);
        x.evt_out_flags = PF_EO_HANDLED_EVENT;
    };
    EffectPanel panel(*host_, kBar, PanelOptions{.width = 100});
    const embedhost::PanelEventResult r = panel.click(1, 1);
    EXPECT_TRUE(r.handled());
    EXPECT_TRUE(r.redrawn);
    EXPECT_EQ(panel.draws(), 1);
    ASSERT_EQ(panel.image().width, 100);
    ASSERT_EQ(panel.image().height, 88);
    const PF_Pixel8 inside = panel.image().row<PF_Pixel8>(3)[2], outside = panel.image().row<PF_Pixel8>(0)[0];
    EXPECT_EQ(std::vector<int>({inside.alpha, inside.red, inside.green}), std::vector<int>({255, 255, 0}));
    EXPECT_EQ(outside.red, host_->customUi().theme().background[0] >> 8); // the panel's background
    EXPECT_EQ(seen_.back().type, PF_Event_DRAW);
}
#endif

TEST_F(Panel, AChangedValueIsTakenOver) {
    answer_ = [](PF_InData *in, PF_OutData *, PF_ParamDef *params[], PF_EventExtra &x) {
        if (x.e_type != PF_Event_DO_CLICK)
            return;
        auto *r = static_cast<fake::ArbRecord *>(in->utils->host_lock_handle(params[kBar]->u.arb_d.value));
        r->x = 0.75;
        in->utils->host_unlock_handle(params[kBar]->u.arb_d.value);
        params[kBar]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
    };
    EffectPanel panel(*host_, kBar);
    EXPECT_TRUE(panel.click(5, 5).valueChanged);
    std::string text;
    ASSERT_EQ(host_->params().printArbitrary(kBar, &text), PF_Err_NONE);
    EXPECT_EQ(text, "x=750/1000");
}

// What the plug-in gets from the colour picker, by what the panel's caller answers.
TEST_F(Panel, TheColourPickerIsAnsweredByThePanelsCaller) {
    PF_Err err = -1;
    PF_PixelFloat picked{};
    answer_ = [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_EventExtra &x) {
        if (x.e_type != PF_Event_DO_CLICK)
            return;
        const PF_PixelFloat sample{1, 0.25f, 0.5f, 0.75f};
        err = suite<PFAppSuite4>(in, kPFAppSuite, kPFAppSuiteVersion4)
                  ->PF_AppColorPickerDialog("Replace Color", &sample, 0, &picked);
    };
    const auto pickBlue = [](const std::string &title, const PF_PixelFloat &sample) -> std::optional<PF_PixelFloat> {
        EXPECT_EQ(title, "Replace Color");
        EXPECT_FLOAT_EQ(sample.green, 0.5f);
        return PF_PixelFloat{1, 0, 0, 1};
    };
    const auto cancel = [](const std::string &, const PF_PixelFloat &) -> std::optional<PF_PixelFloat> {
        return std::nullopt;
    };
    struct Case {
        embedhost::PanelCallbacks callbacks;
        PF_Err expected;
    };
    for (const Case &c : {Case{{.pickColor = pickBlue}, PF_Err_NONE}, Case{{.pickColor = cancel}, PF_Interrupt_CANCEL},
                          Case{{}, PF_Err_INVALID_CALLBACK}}) {
        EffectPanel panel(*host_, kBar, PanelOptions{.callbacks = c.callbacks});
        picked = PF_PixelFloat{};
        panel.click(1, 1);
        EXPECT_EQ(err, c.expected);
        EXPECT_EQ(picked.blue, c.expected == PF_Err_NONE ? 1.0f : 0.0f);
        EXPECT_EQ(panel.problems().size(), c.callbacks.pickColor ? 0u : 1u);
    }
}

TEST_F(Panel, InvalidationsScreenPointsAndTheMainWindow) {
    PF_Point global{};
    const lumora::platform::PortableWindow *window = nullptr;
    answer_ = [&](PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_EventExtra &x) {
        if (x.e_type != PF_Event_DO_CLICK)
            return;
        const auto *app = suite<PFAppSuite4>(in, kPFAppSuite, kPFAppSuiteVersion4);
        EXPECT_EQ(app->PF_InvalidateRect(x.contextH, nullptr), PF_Err_NONE);
        const PF_Point local{3, 4};
        EXPECT_EQ(app->PF_ConvertLocalToGlobal(&local, &global), PF_Err_NONE);
        void *main = nullptr;
        EXPECT_EQ(in->utils->get_platform_data(in->effect_ref, PF_PlatData_MAIN_WND, &main), PF_Err_NONE);
        window = static_cast<const lumora::platform::PortableWindow *>(main);
    };
    EffectPanel panel(*host_, kBar, PanelOptions{.screenOrigin = {100, 200}});
    panel.click(7, 8);
    EXPECT_EQ(panel.invalidations(), 1);
    EXPECT_TRUE(panel.stale());
    EXPECT_EQ(panel.lastInvalidated().bottom, 88); // the whole frame
    EXPECT_EQ(std::vector<A_long>({global.h, global.v}), std::vector<A_long>({103, 204}));
#ifndef _WIN32
    ASSERT_EQ(window, &panel.window());
    EXPECT_EQ(window->magic, lumora::platform::kPortableWindowMagic);
    EXPECT_EQ(std::vector<A_long>({window->cursorX, window->cursorY}), std::vector<A_long>({107, 208}));
    EXPECT_EQ(window->chooseMenuItem, nullptr); // the caller gave no menu answer
#endif
}

} // namespace
