// Event dispatch to subscribers: acceptance, first error, per-context storage shares and the
// block in the context's first plug-in state word.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "colorbar/CUISubscriber.h"
#include "colorbar/EventProvider.h"

namespace {

using namespace AEUtil;

// Records what reaches it; its arbitrary-data face is never used here.
class Recorder : public CUISubscriber {
public:
    Recorder(std::vector<std::string> &log, std::string name, std::size_t storage = 0, bool accepting = true,
             PF_Err result = PF_Err_NONE)
        : log_(log), name_(std::move(name)), storage_(storage), accepting_(accepting), result_(result) {}

    bool accepts(const PF_EventExtra *) const override {
        log_.push_back(name_ + ":asked");
        return accepting_;
    }
    PF_Err draw(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *) override {
        return note("draw");
    }
    PF_Err click(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *) override {
        return note("click");
    }
    PF_Err newContext(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, PF_EventExtra *) override {
        return note("newContext");
    }
    std::size_t contextStorageSize() const override { return storage_; }
    void setUpContext(PF_EventExtra *event) override {
        block = contextBlock(event);
        log_.push_back(name_ + ":setUp");
    }
    void tearDownContext(PF_EventExtra *) override { log_.push_back(name_ + ":tearDown"); }

    std::uintptr_t refcon() const override { return 1; }
#define LUMORA_UNUSED_ARB(selector, op)                                                                                \
    PF_Err op(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *) override { return PF_Err_NONE; }
    LUMORA_ARB_OPERATIONS(LUMORA_UNUSED_ARB)
#undef LUMORA_UNUSED_ARB

    void *block = reinterpret_cast<void *>(std::uintptr_t{1});

private:
    PF_Err note(const char *what) {
        log_.push_back(name_ + ":" + what);
        return result_;
    }
    std::vector<std::string> &log_;
    std::string name_;
    std::size_t storage_;
    bool accepting_;
    PF_Err result_;
};

// Records the block sizes asked for; can refuse them.
class CountingProvider : public EventProvider {
public:
    std::vector<std::size_t> asked;
    bool refuse = false;
    int released = 0;

protected:
    void *allocateContextBlock(std::size_t bytes) noexcept override {
        asked.push_back(bytes);
        return refuse ? nullptr : EventProvider::allocateContextBlock(bytes);
    }
    void releaseContextBlock(void *block) noexcept override {
        ++released;
        EventProvider::releaseContextBlock(block);
    }
};

struct Event {
    PF_Context context{};
    PF_ContextH handle = nullptr;
    PF_Context *ptr = &context;
    PF_EventExtra extra{};
    explicit Event(PF_EventType type) {
        handle = &ptr;
        extra.contextH = handle;
        extra.e_type = type;
        context.w_type = PF_Window_EFFECT;
    }
};

class EventRouting : public ::testing::Test {
protected:
    SharedPtr<Recorder> add(const char *name, std::size_t storage = 0, bool accepting = true,
                            PF_Err result = PF_Err_NONE) {
        SharedPtr<Recorder> r(new Recorder(log, name, storage, accepting, result));
        provider.subscribe(SharedPtr<IEventBase>(r, r.get()));
        return r;
    }
    PF_Err send(Event &e) { return provider.dispatch(nullptr, nullptr, nullptr, nullptr, &e.extra); }

    std::vector<std::string> log;
    CountingProvider provider;
};

TEST_F(EventRouting, WithoutSubscribersNothingHappens) {
    Event e(PF_Event_NEW_CONTEXT);
    e.context.plugin_state[1] = 42;
    EXPECT_EQ(send(e), PF_Err_NONE);
    EXPECT_EQ(e.context.plugin_state[1], 42) << "not even the state words are cleared";
    EXPECT_TRUE(provider.asked.empty());
}

TEST_F(EventRouting, SubscribingSetsTheBackPointer) {
    auto r = add("a");
    EXPECT_EQ(r->eventProvider(), &provider);
    EXPECT_EQ(r.useCount(), 2);
    provider.clear();
    EXPECT_EQ(r.useCount(), 1);
}

TEST_F(EventRouting, SharesOf20And836BytesGetOffsets0And32InA880ByteBlock) {
    auto a = add("a", 20);
    auto none = add("none", 0);
    auto b = add("b", 836);
    Event e(PF_Event_NEW_CONTEXT);
    EXPECT_EQ(send(e), PF_Err_NONE);
    EXPECT_EQ(a->contextOffset(), 0);
    EXPECT_EQ(b->contextOffset(), 32);
    // 20 -> 32, 836 -> 848: the block holds the last share whole. (Rounding only the sum of
    // the sizes, 856 -> 864, would end the block 4 bytes before that share does.)
    EXPECT_EQ(provider.asked, (std::vector<std::size_t>{880}));
    EXPECT_LE(static_cast<std::size_t>(b->contextOffset()) + 836, provider.asked[0]);
    EXPECT_EQ(none->contextOffset(), -1);
    const auto base = reinterpret_cast<unsigned char *>(e.context.plugin_state[0]);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(a->block, base);
    EXPECT_EQ(b->block, base + 32);
    EXPECT_EQ(none->block, nullptr) << "a subscriber without a share has no block";
    // Set-up runs for every subscriber, without asking acceptance; the new-context operation
    // of the subscribers is not called.
    EXPECT_EQ(log, (std::vector<std::string>{"a:setUp", "none:setUp", "b:setUp"}));

    log.clear();
    Event close(PF_Event_CLOSE_CONTEXT);
    close.context = e.context;
    EXPECT_EQ(send(close), PF_Err_NONE);
    EXPECT_EQ(close.context.plugin_state[0], 0);
    EXPECT_EQ(provider.released, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:tearDown", "none:tearDown", "b:tearDown"}));
}

TEST_F(EventRouting, NewContextClearsAllFourStateWords) {
    add("zero", 0);
    Event e(PF_Event_NEW_CONTEXT);
    for (A_intptr_t &w : e.context.plugin_state)
        w = 7;
    EXPECT_EQ(send(e), PF_Err_NONE);
    for (A_intptr_t w : e.context.plugin_state)
        EXPECT_EQ(w, 0);
    EXPECT_TRUE(provider.asked.empty()) << "no shares, no block";
}

TEST_F(EventRouting, AFailedAllocationLeavesTheStateWordNullAndTheSharesBlockless) {
    auto a = add("a", 20);
    provider.refuse = true;
    Event e(PF_Event_NEW_CONTEXT);
    EXPECT_EQ(send(e), PF_Err_NONE);
    EXPECT_EQ(e.context.plugin_state[0], 0);
    EXPECT_EQ(a->block, nullptr);
    Event close(PF_Event_CLOSE_CONTEXT);
    EXPECT_EQ(send(close), PF_Err_NONE);
    EXPECT_EQ(close.context.plugin_state[0], 0);
}

TEST_F(EventRouting, OnlyAcceptingSubscribersAreCalled) {
    add("yes");
    add("no", 0, false);
    Event e(PF_Event_DRAW);
    EXPECT_EQ(send(e), PF_Err_NONE);
    EXPECT_EQ(log, (std::vector<std::string>{"yes:asked", "yes:draw", "no:asked"}));
}

TEST_F(EventRouting, TheFirstErrorWinsAndLaterSubscribersAreAskedButNotCalled) {
    add("first", 0, true, PF_Err_OUT_OF_MEMORY);
    add("second", 0, true, PF_Err_INVALID_INDEX);
    Event e(PF_Event_DO_CLICK);
    EXPECT_EQ(send(e), PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(log, (std::vector<std::string>{"first:asked", "first:click", "second:asked"}));
}

TEST_F(EventRouting, EachEventTypeReachesItsOperation) {
    add("a");
    Event draw(PF_Event_DRAW), click(PF_Event_DO_CLICK), idle(PF_Event_IDLE), unknown(PF_Event_NUM_EVENTS);
    send(draw);
    send(click);
    send(idle);
    send(unknown);
    EXPECT_EQ(log, (std::vector<std::string>{"a:asked", "a:draw", "a:asked", "a:click", "a:asked"}))
        << "idle reaches the default (silent) operation; an unknown type asks no one";
}

} // namespace
