// The colour bar control: which events it accepts, its per-context state through the plug-in,
// and the registration of its arbitrary parameter.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FlatBytes.h"
#include "colorbar/EventProvider.h"
#include "colorbar/GradColorPresetUI.h"
#include "embedhost/Host.h"
#include "host/EntryPoint.h"
#include "params/ParamAddArbitrary.h"
#include "params/ParamRegistry.h"

namespace {

using namespace AEUtil;
using colorbar_test::FlatBytes;

class CountingBar : public GradColorPresetUI {
public:
    int draws = 0;
    PF_Err draw(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *) override {
        ++draws;
        return PF_Err_NONE;
    }
};

struct Event {
    PF_Context context{};
    PF_Context *ptr = &context;
    PF_EventExtra extra{};
    Event(PF_EventType type, PF_WindowType window, PF_ParamIndex index) {
        extra.contextH = &ptr;
        extra.e_type = type;
        extra.effect_win.index = index;
        context.w_type = window;
    }
};

bool accepts(const GradColorPresetUI &bar, PF_WindowType window, PF_ParamIndex index) {
    Event e(PF_Event_DRAW, window, index);
    return bar.accepts(&e.extra);
}

TEST(ColorBarControl, AcceptsOnlyEffectPanelEventsOfServedParameters) {
    CountingBar bar;
    EXPECT_FALSE(accepts(bar, PF_Window_EFFECT, 6)) << "nothing served before registration";
    bar.addServedIndex(6);
    EXPECT_TRUE(accepts(bar, PF_Window_EFFECT, 6));
    EXPECT_FALSE(accepts(bar, PF_Window_EFFECT, 7));
    EXPECT_FALSE(accepts(bar, PF_Window_COMP, 6));
    EXPECT_FALSE(accepts(bar, PF_Window_LAYER, 6));
    Event noContext(PF_Event_DRAW, PF_Window_EFFECT, 6);
    noContext.extra.contextH = nullptr;
    EXPECT_FALSE(bar.accepts(&noContext.extra));
}

TEST(ColorBarControl, EventsForOtherWindowsOrParametersReachNoHandler) {
    EventProvider provider;
    SharedPtr<CountingBar> bar(new CountingBar());
    bar->addServedIndex(6);
    provider.subscribe(SharedPtr<IEventBase>(bar, bar.get()));
    for (auto [window, index] :
         {std::pair{PF_Window_COMP, 6}, std::pair{PF_Window_LAYER, 6}, std::pair{PF_Window_PREVIEW, 6},
          std::pair{PF_Window_EFFECT, 5}, std::pair{PF_Window_EFFECT, 52}}) {
        Event e(PF_Event_DRAW, window, index);
        EXPECT_EQ(provider.dispatch(nullptr, nullptr, nullptr, nullptr, &e.extra), PF_Err_NONE);
    }
    EXPECT_EQ(bar->draws, 0);
    Event served(PF_Event_DRAW, PF_Window_EFFECT, 6);
    EXPECT_EQ(provider.dispatch(nullptr, nullptr, nullptr, nullptr, &served.extra), PF_Err_NONE);
    EXPECT_EQ(bar->draws, 1);
}

TEST(ColorBarControl, AsksFor836BytesOfContextState) {
    GradColorPresetUI bar;
    EXPECT_EQ(bar.contextStorageSize(), 836u);
    EXPECT_EQ(bar.uiWidth(), 0);
    EXPECT_EQ(bar.uiHeight(), 88);
    EXPECT_EQ(bar.valueSize(), 1320u);
    EXPECT_EQ(bar.flatSize(), 1320u);
    EXPECT_EQ(bar.printSize(), 3960u);
    EXPECT_EQ(bar.refcon(), 0xeeee0002u);
}

TEST(ColorBarControl, ContextStateLivesFromNewToCloseContextInThePlugIn) {
    embedhost::Host host(embedhost::Plugin::linked(&EntryPointFunc));
    Event open(PF_Event_NEW_CONTEXT, PF_Window_EFFECT, 6);
    open.context.plugin_state[0] = 12345; // whatever was there is not the block
    ASSERT_EQ(host.send(PF_Cmd_EVENT, nullptr, nullptr, &open.extra).err, PF_Err_NONE);
    const auto *state = reinterpret_cast<const ColorBarContext *>(open.context.plugin_state[0]);
    ASSERT_NE(state, nullptr);
    ASSERT_NE(open.context.plugin_state[0], 12345);
    EXPECT_EQ(state->hoverButton, -1);
    EXPECT_EQ(state->pressed[0] | state->pressed[1] | state->pressed[2], 0);
    EXPECT_EQ(state->dragMode, 0);
    EXPECT_EQ(state->snapshot.count, 0);
    EXPECT_EQ(state->snapshot.flag[31].id, -1);
    EXPECT_EQ(state->hoverFlag, -1);
    EXPECT_EQ(state->pendingToggle, -1);
    EXPECT_EQ(state->selectionCount, 0);
    EXPECT_EQ(state->selection[31].id, 0);
    EXPECT_EQ(state->barWidth, 209);

    Event draw(PF_Event_DRAW, PF_Window_COMP, 6);
    draw.context = open.context;
    EXPECT_EQ(host.send(PF_Cmd_EVENT, nullptr, nullptr, &draw.extra).err, PF_Err_NONE);

    Event close(PF_Event_CLOSE_CONTEXT, PF_Window_EFFECT, 6);
    close.context = open.context;
    ASSERT_EQ(host.send(PF_Cmd_EVENT, nullptr, nullptr, &close.extra).err, PF_Err_NONE);
    EXPECT_EQ(close.context.plugin_state[0], 0);
    // Leaves the module as a host leaves it, so later tests in this process start afresh.
    EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETDOWN, nullptr, nullptr, nullptr).err, PF_Err_NONE);
}

class ColorBarRegistration : public ::testing::Test {
protected:
    void SetUp() override { resetParamRegistry(); }
    void TearDown() override {
        resetParamRegistry();
        EXPECT_EQ(host_.handles().misuseCount(), 0u);
    }
    embedhost::Host host_;
};

TEST_F(ColorBarRegistration, BuildsAnArbitraryParameterWithTheDefaultValue) {
    PF_InData in = host_.inData();
    for (int i = 1; i <= 5; ++i)
        nextParamIndex(); // five parameters before the colour bar
    PF_ParamDef templ{};
    templ.flags = PF_ParamFlag_COLLAPSE_TWIRLY;
    GradColorPresetUI bar;
    ASSERT_EQ(bar.registerParam(&in, "Glow Color Bar", 52, templ, "LumoraColorSet.col"), PF_Err_NONE);

    ASSERT_EQ(paramCount(), 1u);
    auto *param = dynamic_cast<ParamAddArbitrary *>(paramAt(0));
    ASSERT_NE(param, nullptr);
    EXPECT_STREQ(param->name(), "Glow Color Bar");
    EXPECT_EQ(param->id(), 52);
    EXPECT_EQ(param->index(), 6);
    EXPECT_EQ(param->uiWidth(), 0);
    EXPECT_EQ(param->uiHeight(), 88);
    EXPECT_EQ(param->uiFlags(), PF_PUI_CONTROL);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(param->refcon()), 0xeeee0002u);
    EXPECT_EQ(bar.presetFileName(), "LumoraColorSet.col");

    // Events carry the host index, so that is what the control serves.
    EXPECT_EQ(bar.servedIndices(), (std::vector<A_long>{6}));

    PF_Handle dephault = param->defaultHandle();
    ASSERT_TRUE(host_.handles().isLive(dephault));
    EXPECT_EQ(host_.handles().size(dephault), 1320u);
    EXPECT_EQ(host_.handles().lockCount(dephault), 0);
    const auto *bytes = static_cast<const std::uint8_t *>(host_.handles().lock(dephault));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 1320), FlatBytes::defaultValue().v);
    host_.handles().unlock(dephault);
    host_.handles().dispose(dephault);
}

TEST_F(ColorBarRegistration, WithoutMemoryNothingIsRegistered) {
    PF_InData in = host_.inData();
    host_.handles().failNewHandleAfter(0);
    GradColorPresetUI bar;
    EXPECT_EQ(bar.registerParam(&in, "Glow Color Bar", 52, PF_ParamDef{}, "LumoraColorSet.col"), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(paramCount(), 0u);
    EXPECT_TRUE(bar.servedIndices().empty());
    EXPECT_EQ(host_.handles().live(), 0u);
}

} // namespace
