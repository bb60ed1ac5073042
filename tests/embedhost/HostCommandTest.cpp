// Host::send and the command order: what the plug-in receives in in_data and what the host
// keeps from its out_data. Driven against a fake plug-in defined here.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "embedhost/Host.h"

using embedhost::CommandResult;
using embedhost::Host;
using embedhost::HostProfile;
using embedhost::Plugin;

namespace {

struct Received {
    PF_Cmd cmd;
    PF_InData in;
    bool outZeroed;
    PF_ParamDef **params;
    PF_LayerDef *output;
    void *extra;
};

// The fake plug-in: records every call and runs the test's behaviour.
std::mutex gMutex;
std::vector<Received> gReceived;
std::function<PF_Err(PF_Cmd, PF_InData *, PF_OutData *)> gBehaviour;

PF_Err fakeEntry(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
    PF_OutData zero;
    std::memset(&zero, 0, sizeof zero);
    {
        std::lock_guard lock(gMutex);
        gReceived.push_back({cmd, *in, std::memcmp(out, &zero, sizeof zero) == 0, params, output, extra});
    }
    return gBehaviour ? gBehaviour(cmd, in, out) : PF_Err_NONE;
}

class HostCommands : public ::testing::Test {
protected:
    void SetUp() override {
        gReceived.clear();
        gBehaviour = nullptr;
    }
    void TearDown() override { gBehaviour = nullptr; }
    static std::vector<PF_Cmd> commands() {
        std::vector<PF_Cmd> out;
        for (const auto &r : gReceived)
            out.push_back(r.cmd);
        return out;
    }
};

TEST_F(HostCommands, InDataCarriesTheDefaultProfile) {
    Host host(Plugin::linked(fakeEntry));
    ASSERT_EQ(host.send(PF_Cmd_ABOUT).err, PF_Err_NONE);
    ASSERT_EQ(gReceived.size(), 1u);
    const PF_InData &in = gReceived[0].in;
    EXPECT_EQ(in.appl_id, 0x46585443); // 'FXTC'
    EXPECT_EQ(in.version.major, 13);
    EXPECT_EQ(in.version.minor, 28);
    EXPECT_NE(in.pica_basicP, nullptr);
    EXPECT_NE(in.utils, nullptr);
    EXPECT_EQ(in.effect_ref, host.effectRef());
    EXPECT_NE(in.effect_ref, nullptr);
    EXPECT_EQ(in.quality, PF_Quality_HI);
    EXPECT_EQ(in.downsample_x.num, 1);
    EXPECT_EQ(in.downsample_x.den, 1u);
    EXPECT_EQ(in.downsample_y.num, 1);
    EXPECT_EQ(in.pixel_aspect_ratio.num, 1);
    EXPECT_EQ(in.pixel_aspect_ratio.den, 1u);
    EXPECT_EQ(in.extent_hint.right, in.width);
    EXPECT_EQ(in.extent_hint.bottom, in.height);
    EXPECT_GT(in.time_scale, 0u);
    EXPECT_EQ(in.sequence_data, nullptr);
    EXPECT_TRUE(gReceived[0].outZeroed);
    EXPECT_NE(in.inter.progress, nullptr);
    EXPECT_NE(in.inter.checkout_param, nullptr);
}

TEST_F(HostCommands, ProfileChangesWhatThePluginSees) {
    HostProfile profile;
    profile.applId = embedhost::fourCharCode("PrMr");
    profile.provideBasicSuite = false;
    profile.width = 33;
    profile.height = 17;
    profile.downsampleX = {1, 2};
    profile.currentTime = 90;
    profile.version = {13, 1};
    profile.extentHint = PF_Rect{2, 3, 20, 10};
    Host host(Plugin::linked(fakeEntry), profile);
    host.send(PF_Cmd_ABOUT);
    const PF_InData &in = gReceived.at(0).in;
    EXPECT_EQ(in.appl_id, 0x50724D72);
    EXPECT_EQ(in.pica_basicP, nullptr);
    EXPECT_EQ(in.width, 33);
    EXPECT_EQ(in.height, 17);
    EXPECT_EQ(in.downsample_x.den, 2u);
    EXPECT_EQ(in.current_time, 90);
    EXPECT_EQ(in.version.minor, 1);
    EXPECT_EQ(in.extent_hint.left, 2);
    EXPECT_EQ(in.extent_hint.bottom, 10);
}

TEST_F(HostCommands, GlobalSetupAnswersAreKeptOnlyOnSuccess) {
    Host host(Plugin::linked(fakeEntry));
    gBehaviour = [](PF_Cmd cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        out->my_version = 0x80001;
        out->out_flags = PF_OutFlag_DEEP_COLOR_AWARE;
        out->out_flags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER;
        return cmd == PF_Cmd_GLOBAL_SETUP ? PF_Err_NONE : PF_Err_INTERNAL_STRUCT_DAMAGED;
    };
    ASSERT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_NONE);
    EXPECT_EQ(host.effect().myVersion, 0x80001u);
    EXPECT_EQ(host.effect().outFlags, PF_OutFlag_DEEP_COLOR_AWARE);
    EXPECT_EQ(host.effect().outFlags2, PF_OutFlag2_SUPPORTS_SMART_RENDER);

    gBehaviour = [](PF_Cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        out->my_version = 1;
        out->out_flags = PF_OutFlag_I_DO_DIALOG;
        return PF_Err_OUT_OF_MEMORY;
    };
    EXPECT_EQ(host.send(PF_Cmd_GLOBAL_SETUP).err, PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(host.effect().myVersion, 0x80001u);
    EXPECT_EQ(host.effect().outFlags, PF_OutFlag_DEEP_COLOR_AWARE);
}

TEST_F(HostCommands, ParamCountsFromParamsSetup) {
    Host host(Plugin::linked(fakeEntry));
    gBehaviour = [](PF_Cmd cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        if (cmd == PF_Cmd_PARAMS_SETUP)
            out->num_params = 25;
        return PF_Err_NONE;
    };
    host.send(PF_Cmd_PARAMS_SETUP);
    host.send(PF_Cmd_SEQUENCE_SETUP);
    EXPECT_EQ(host.effect().numParams, 25);
    // in_data counts what was registered (only the input layer here), not the plug-in's answer.
    EXPECT_EQ(host.effect().registeredParams, 1);
    EXPECT_EQ(gReceived.at(0).in.num_params, 0);
    EXPECT_EQ(gReceived.at(1).in.num_params, 1);
    ASSERT_EQ(host.params().problems().size(), 1u);
    EXPECT_NE(host.params().problems()[0].find("num_params is 25"), std::string::npos);
    // Another command's num_params is not an answer the host takes.
    gBehaviour = [](PF_Cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        out->num_params = 3;
        return PF_Err_NONE;
    };
    host.send(PF_Cmd_UPDATE_PARAMS_UI);
    EXPECT_EQ(host.effect().numParams, 25);
}

TEST_F(HostCommands, SequenceDataFollowsTheInstanceUntilSetdown) {
    Host host(Plugin::linked(fakeEntry));
    gBehaviour = [](PF_Cmd cmd, PF_InData *in, PF_OutData *out) -> PF_Err {
        if (cmd == PF_Cmd_SEQUENCE_SETUP || cmd == PF_Cmd_SEQUENCE_FLATTEN)
            out->sequence_data = in->utils->host_new_handle(8);
        if (cmd == PF_Cmd_SEQUENCE_FLATTEN || cmd == PF_Cmd_SEQUENCE_SETDOWN)
            in->utils->host_dispose_handle(in->sequence_data);
        return PF_Err_NONE;
    };
    host.send(PF_Cmd_SEQUENCE_SETUP);
    const PF_Handle first = host.effect().sequenceData;
    ASSERT_NE(first, nullptr);
    host.send(PF_Cmd_RENDER); // returns no handle: the instance keeps its own
    EXPECT_EQ(gReceived.at(1).in.sequence_data, first);
    host.send(PF_Cmd_SEQUENCE_FLATTEN);
    const PF_Handle flat = host.effect().sequenceData;
    EXPECT_NE(flat, first);
    host.send(PF_Cmd_SMART_RENDER);
    EXPECT_EQ(gReceived.at(3).in.sequence_data, flat);
    host.send(PF_Cmd_SEQUENCE_SETDOWN);
    EXPECT_EQ(gReceived.at(4).in.sequence_data, flat);
    EXPECT_EQ(host.effect().sequenceData, nullptr);
    EXPECT_EQ(host.handles().live(), 0u);
    EXPECT_EQ(host.handles().misuseCount(), 0u);
}

TEST_F(HostCommands, GlobalDataIsKeptAndForgottenAtGlobalSetdown) {
    Host host(Plugin::linked(fakeEntry));
    gBehaviour = [](PF_Cmd cmd, PF_InData *in, PF_OutData *out) -> PF_Err {
        if (cmd == PF_Cmd_GLOBAL_SETUP)
            out->global_data = in->utils->host_new_handle(4);
        if (cmd == PF_Cmd_GLOBAL_SETDOWN)
            in->utils->host_dispose_handle(in->global_data);
        return PF_Err_NONE;
    };
    host.send(PF_Cmd_GLOBAL_SETUP);
    ASSERT_NE(host.effect().globalData, nullptr);
    host.send(PF_Cmd_ABOUT);
    EXPECT_EQ(gReceived.at(1).in.global_data, host.effect().globalData);
    host.send(PF_Cmd_GLOBAL_SETDOWN);
    EXPECT_EQ(host.effect().globalData, nullptr);
    EXPECT_EQ(host.handles().live(), 0u);
}

TEST_F(HostCommands, AnyCommandNumberInAnyOrderReachesThePlugin) {
    Host host(Plugin::linked(fakeEntry));
    const PF_Cmd probes[] = {PF_Cmd_GLOBAL_SETDOWN, 2,  25, PF_Cmd_NUM_CMDS,
                             PF_Cmd_NUM_CMDS + 7,   -1, 29, PF_Cmd_SMART_RENDER};
    for (PF_Cmd c : probes)
        host.send(c);
    EXPECT_EQ(commands(), std::vector<PF_Cmd>(std::begin(probes), std::end(probes)));
    for (const auto &r : gReceived)
        EXPECT_TRUE(r.outZeroed);
    EXPECT_EQ(host.effect().commandsSent, 8);
}

TEST_F(HostCommands, ArgumentsAndResultsPassThrough) {
    Host host(Plugin::linked(fakeEntry));
    PF_ParamDef def{};
    PF_ParamDef *params[] = {&def, nullptr};
    PF_LayerDef output{};
    int extra = 0;
    gBehaviour = [](PF_Cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        std::strcpy(out->return_msg, "error code = 516");
        return PF_Err_BAD_CALLBACK_PARAM;
    };
    CommandResult r = host.send(PF_Cmd_RENDER, params, &output, &extra);
    EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(r.message(), "error code = 516");
    EXPECT_EQ(gReceived.at(0).params, params);
    EXPECT_EQ(gReceived.at(0).output, &output);
    EXPECT_EQ(gReceived.at(0).extra, &extra);

    gBehaviour = [](PF_Cmd, PF_InData *, PF_OutData *out) -> PF_Err {
        std::memset(out->return_msg, 'm', sizeof out->return_msg); // no terminator
        return PF_Err_NONE;
    };
    EXPECT_EQ(host.send(PF_Cmd_ABOUT).message().size(), sizeof(PF_OutData::return_msg));
}

TEST_F(HostCommands, SetUpAndTearDownFollowTheUsualOrder) {
    Host host(Plugin::linked(fakeEntry));
    ASSERT_EQ(host.setUp().err, PF_Err_NONE);
    ASSERT_EQ(host.tearDown().err, PF_Err_NONE);
    EXPECT_EQ(commands(), (std::vector<PF_Cmd>{PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP, PF_Cmd_SEQUENCE_SETUP,
                                               PF_Cmd_SEQUENCE_SETDOWN, PF_Cmd_GLOBAL_SETDOWN}));
}

TEST_F(HostCommands, SetUpStopsAtTheFirstFailure) {
    Host host(Plugin::linked(fakeEntry));
    gBehaviour = [](PF_Cmd cmd, PF_InData *, PF_OutData *) -> PF_Err {
        return cmd == PF_Cmd_PARAMS_SETUP ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
    };
    CommandResult r = host.setUp();
    EXPECT_EQ(r.err, PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(commands(), (std::vector<PF_Cmd>{PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP}));
}

TEST_F(HostCommands, SendWithoutAPluginIsAProgrammingError) {
    Host host;
    EXPECT_THROW(host.send(PF_Cmd_ABOUT), std::logic_error);
}

TEST_F(HostCommands, ProgressReportsTheRequestedInterrupt) {
    Host host(Plugin::linked(fakeEntry));
    std::vector<PF_Err> answers;
    gBehaviour = [&answers](PF_Cmd, PF_InData *in, PF_OutData *) -> PF_Err {
        for (A_long i = 1; i <= 4; ++i)
            answers.push_back(in->inter.progress(in->effect_ref, i, 4));
        return PF_Err_NONE;
    };
    host.send(PF_Cmd_RENDER);
    EXPECT_EQ(answers, std::vector<PF_Err>(4, PF_Err_NONE));
    EXPECT_EQ(host.interaction().progressCalls(), 4);
    EXPECT_EQ(host.interaction().lastProgressCurrent(), 4);
    EXPECT_EQ(host.interaction().lastProgressTotal(), 4);

    answers.clear();
    host.interaction().interruptAfterProgressCalls(2);
    host.send(PF_Cmd_RENDER);
    EXPECT_EQ(answers, (std::vector<PF_Err>{PF_Err_NONE, PF_Err_NONE, PF_Interrupt_CANCEL, PF_Interrupt_CANCEL}));

    answers.clear();
    host.interaction().requestInterrupt(false);
    host.send(PF_Cmd_RENDER);
    EXPECT_EQ(answers, std::vector<PF_Err>(4, PF_Err_NONE));
    host.interaction().requestInterrupt();
    PF_InData in = host.inData();
    EXPECT_EQ(in.inter.abort(in.effect_ref), PF_Interrupt_CANCEL);
    EXPECT_EQ(in.inter.progress(nullptr, 1, 1), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(HostCommands, AudioCallbacksAnswerInvalidCallbackAndAreCounted) {
    Host host;
    PF_InData in = host.inData();
    PF_LayerAudio audio = nullptr;
    EXPECT_EQ(in.inter.checkout_layer_audio(in.effect_ref, 0, 0, 1, 30, 0, 2, 2, 1, &audio), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(in.inter.checkin_layer_audio(in.effect_ref, audio), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(in.inter.checkin_layer_audio(in.effect_ref, audio), PF_Err_INVALID_CALLBACK);
    EXPECT_EQ(host.interaction().unsupportedCalls("checkin_layer_audio"), 2);
    EXPECT_EQ(host.interaction().unsupportedCalls(), 3);
}

TEST_F(HostCommands, ParameterCallbacksReachTheInstanceParameters) {
    Host host;
    PF_InData in = host.inData();
    PF_ParamDef def;
    std::memset(&def, 0x5a, sizeof def);
    // Nothing is registered: only the input layer exists, and nothing may be added now.
    EXPECT_EQ(in.inter.checkout_param(in.effect_ref, 1, 0, 1, 30, &def), PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(def.param_type, 0);
    EXPECT_EQ(in.inter.checkout_param(in.effect_ref, 0, 0, 1, 30, &def), PF_Err_NONE);
    EXPECT_EQ(def.param_type, PF_Param_LAYER);
    EXPECT_EQ(in.inter.checkin_param(in.effect_ref, &def), PF_Err_NONE);
    EXPECT_EQ(in.inter.add_param(in.effect_ref, -1, &def), PF_Err_BAD_CALLBACK_PARAM);
    // Another instance's reference reaches nothing.
    unsigned char other = 0;
    EXPECT_EQ(in.inter.checkout_param(reinterpret_cast<PF_ProgPtr>(&other), 0, 0, 1, 30, &def),
              PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(host.params().outstandingCheckouts(), 0u);
    EXPECT_EQ(host.interaction().unsupportedCalls(), 0);
}

TEST_F(HostCommands, RendersMaySendFromSeveralThreads) {
    Host host(Plugin::linked(fakeEntry));
    std::atomic<int> rows{0};
    gBehaviour = [&rows](PF_Cmd, PF_InData *in, PF_OutData *) -> PF_Err {
        PF_Handle h = in->utils->host_new_handle(128);
        PF_Err err = in->utils->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &rows,
                                                [](void *r, A_long, A_long, A_long) -> PF_Err {
                                                    ++*static_cast<std::atomic<int> *>(r);
                                                    return PF_Err_NONE;
                                                });
        in->utils->host_dispose_handle(h);
        return err;
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&host] {
            for (int i = 0; i < 20; ++i)
                EXPECT_EQ(host.send(PF_Cmd_SMART_RENDER).err, PF_Err_NONE);
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(rows.load(), 60 * static_cast<int>(host.threads().workers()));
    EXPECT_EQ(host.effect().commandsSent, 60);
    EXPECT_EQ(host.handles().live(), 0u);
}

} // namespace
