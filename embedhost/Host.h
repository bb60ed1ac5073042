// The embedded effects host: loads a plug-in and drives its commands as the compositing host
// does, offering the host's suites, memory, image buffers and render threads.
//
// Public API (namespace embedhost):
//   Host(HostProfile = {})                     a host without a plug-in (suites, memory, threads)
//   Host(Plugin, HostProfile = {})             owns the plug-in; unloads it when destroyed
//   Host(std::shared_ptr<Plugin>, HostProfile) shares it (e.g. one module across several hosts)
//   static Host *Host::current()               the live host that context-free callbacks reach
//   profile() suites() handles() worlds() threads() interaction() utils() plugin()
//   effectRef() / isEffectRef(ref)             the instance reference handed to the plug-in
//   inData()                                   the PF_InData the next command will receive
//   send(cmd, params, output, extra)           one command; any number, in any order
//   command(cmd, output, extra)                one command with the parameter array the host
//                                              passes with it (see takesParams)
//   setUp() / tearDown()                       the usual command order, stopping at a failure
//   effect()                                   what the host kept from the plug-in's answers
//   setSequenceData(h)                         replaces the instance's sequence handle
//   params()                                   the instance's parameters (EffectParams.h)
//   inCommand(cmd)                             whether a command of that kind is running
//   setLayer(id, image) / setItemSize(w, h)    layers to render (Layers.h; id 0 is the input)
//   layers()                                   the layers and the item size
//   renderFrame(path)                          one frame, smart or classic (FrameRender.h)
//   frames()                                   the frame renderer; problems() lists misuse
//
// Suites offered besides the handle and world suites: "PF Param Utils Suite" 2 and 3
// (ParamUtilsSuite.h), "PF AE App Suite" 6 and 7 (AppSuite.h), for custom controls "PF Effect
// Custom UI Suite" 1, "PF Effect Custom UI Overlay Theme Suite" 1 (CustomUi.h) and the DRAWBOT
// suites when built with Cairo (Drawbot.h), and for rendering "PF Fill Matte
// Suite" 2, "PF World Transform Suite" 1, "AEGP PF Interface Suite" 1, "AEGP Layer Suite" 11
// and "AEGP Item Suite" 11 (RenderSuites.h). Project files: Project.h.
//
// Rendering: while an input layer is set, in_data->width / height and extent_hint report its
// size at the profile's downsample, ceil(w * num / den); layers are resampled to that size by
// nearest neighbour (Layers.h) and converted to the input's depth when lent to the plug-in.
// The smart path asks for the whole layer at pre-render; layer parameters name layers by id
// (PF_LayerDefault_MYSELF is the input, PF_LayerDefault_NONE or an unset id gives empty result
// rectangles and a null world). The output world is as large as the declared result_rect, its
// origin_x / origin_y the rectangle's left and top (layer coordinates of its first pixel), as
// are those of checked-out layer pixels. An empty result_rect skips PF_Cmd_SMART_RENDER. The
// pre-render data's delete callback runs once after the frame, rendered or not. On the classic
// path checkout_param of a layer parameter lends the chosen layer in u.ld the same way (whole,
// origin 0; zeroed for none or an unset id) until checkin_param or the end of PF_Cmd_RENDER;
// outside renderFrame it stays zeroed.
//
// One Host may live at a time in a process: the host's callbacks carry no context, so the
// constructor installs the host as current() and the destructor removes it; constructing a
// second one meanwhile throws std::logic_error. send() may be called from several threads.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "embedhost/AppSuite.h"
#include "embedhost/CustomUi.h"
#include "embedhost/Drawbot.h"
#include "embedhost/EffectParams.h"
#include "embedhost/FrameRender.h"
#include "embedhost/HandleStore.h"
#include "embedhost/HostProfile.h"
#include "embedhost/Interaction.h"
#include "embedhost/Layers.h"
#include "embedhost/ParamUtilsSuite.h"
#include "embedhost/Plugin.h"
#include "embedhost/RenderSuites.h"
#include "embedhost/SuiteRegistry.h"
#include "embedhost/ThreadPool.h"
#include "embedhost/WorldStore.h"

namespace embedhost {

struct CommandResult {
    PF_Err err = PF_Err_NONE;
    PF_OutData out{};
    std::string message() const; // out.return_msg, bounded by the field
};

// The plug-in's answers the host keeps between commands, as the real host does:
// my_version, out_flags and out_flags2 from a successful GLOBAL_SETUP, num_params from a
// successful PARAMS_SETUP; any non-null out_data->global_data / sequence_data replaces the
// instance's handle (whatever the command's result), and GLOBAL_SETDOWN / SEQUENCE_SETDOWN
// make the host forget the handle it passed. Later commands receive these in in_data.
// PF_Cmd_GET_FLATTENED_SEQUENCE_DATA is the exception: its out_data->sequence_data is a flat
// copy handed to whoever sent the command (who disposes it); the instance keeps its data.
// The handle passed in at PF_Cmd_SEQUENCE_RESETUP (flat data) is the host's: when the plug-in
// answers with another one, the host disposes it unless the plug-in already did. Before
// PF_Cmd_GLOBAL_SETDOWN the host gives every arbitrary value back (EffectParams::releaseAll).
struct EffectState {
    A_u_long myVersion = 0;
    PF_OutFlags outFlags = 0;
    PF_OutFlags2 outFlags2 = 0;
    A_long numParams = 0;
    // The parameters registered at the last successful PARAMS_SETUP, the input layer included:
    // the length of params[] and what in_data->num_params reports (the plug-in's own count may
    // differ; EffectParams::problems says so).
    A_long registeredParams = 0;
    PF_Handle globalData = nullptr;
    PF_Handle sequenceData = nullptr;
    long commandsSent = 0;
};

class Host {
public:
    explicit Host(HostProfile profile = {});
    explicit Host(Plugin plugin, HostProfile profile = {});
    explicit Host(std::shared_ptr<Plugin> plugin, HostProfile profile = {});
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;
    ~Host();

    static Host *current() noexcept;

    const HostProfile &profile() const { return profile_; }
    SuiteRegistry &suites() { return suites_; }
    HandleStore &handles() { return handles_; }
    // The effect's worlds and handles: what it holds now and its high-water mark.
    MemoryMeter &memory() { return memory_; }
    WorldStore &worlds() { return worlds_; }
    ThreadPool &threads() { return threads_; }
    Interaction &interaction() { return interaction_; }
    const PF_UtilCallbacks &utils() const { return utils_; }
    const Plugin *plugin() const { return plugin_.get(); }
    // Custom controls: the theme, the open panels and the drawing suites (EffectPanel.h).
    CustomUi &customUi() { return customUi_; }
    Drawbot &drawbot() { return drawbot_; }

    PF_ProgPtr effectRef() const;
    bool isEffectRef(PF_ProgPtr ref) const { return ref != nullptr && ref == effectRef(); }

    PF_InData inData() const;

    // Calls the plug-in's entry point with a fresh in_data and a zeroed out_data. Throws
    // std::logic_error when the host has no plug-in.
    CommandResult send(PF_Cmd cmd, PF_ParamDef *params[] = nullptr, PF_LayerDef *output = nullptr,
                       void *extra = nullptr);
    // As send, with the parameter array at the profile's current time for the commands that
    // take one; after PF_Cmd_USER_CHANGED_PARAM and PF_Cmd_EVENT the values the plug-in marked
    // with PF_ChangeFlag_CHANGED_VALUE become the instance's (the host honours changes then only).
    CommandResult command(PF_Cmd cmd, PF_LayerDef *output = nullptr, void *extra = nullptr);
    // Commands that get the whole array: DO_DIALOG, FRAME_SETUP, RENDER, FRAME_SETDOWN,
    // USER_CHANGED_PARAM, UPDATE_PARAMS_UI, EVENT and the audio commands. PARAMS_SETUP gets
    // params[0] only (nothing else exists yet); every other command gets none (the smart-render
    // and dynamic-flags commands check parameters out instead).
    enum class ParamsPassed { None, InputOnly, All };
    static ParamsPassed takesParams(PF_Cmd cmd);

    CommandResult setUp();    // GLOBAL_SETUP, PARAMS_SETUP, SEQUENCE_SETUP (through command)
    CommandResult tearDown(); // SEQUENCE_SETDOWN, GLOBAL_SETDOWN (through command)
    bool inCommand(PF_Cmd cmd) const;
    EffectParams &params() { return params_; }
    const EffectParams &params() const { return params_; }

    EffectState effect() const;
    void setSequenceData(PF_Handle handle);

    // Throw std::invalid_argument for bad input (LayerStore).
    void setLayer(A_long layerId, Image image) { layers_.set(layerId, std::move(image)); }
    void setItemSize(A_long width, A_long height) { layers_.setItemSize(width, height); }
    LayerStore &layers() { return layers_; }
    const LayerStore &layers() const { return layers_; }
    RenderOutput renderFrame(RenderPath path = RenderPath::Smart) { return frames_.render(path); }
    FrameRenderer &frames() { return frames_; }

private:
    // Claims the process-wide current() slot before anything else is built and frees it last.
    class CurrentClaim {
    public:
        explicit CurrentClaim(Host *host);
        ~CurrentClaim();
        CurrentClaim(const CurrentClaim &) = delete;
        CurrentClaim &operator=(const CurrentClaim &) = delete;

    private:
        Host *host_;
    };

    void apply(PF_Cmd cmd, const CommandResult &result);
    void enter(PF_Cmd cmd, int delta);

    // Members are built in this order and destroyed in reverse; the threads stop before the
    // stores they may still be using go away.
    CurrentClaim claim_;
    HostProfile profile_;
    std::shared_ptr<Plugin> plugin_;
    SuiteRegistry suites_;
    MemoryMeter memory_;
    HandleStore handles_;
    WorldStore worlds_;
    Interaction interaction_;
    PF_UtilCallbacks utils_;
    ParamUtilsSuites paramUtils_;
    AppSuite app_;
    CustomUi customUi_;
    Drawbot drawbot_;
    EffectParams params_;
    LayerStore layers_;
    RenderSuites renderSuites_;
    FrameRenderer frames_{*this};
    ThreadPool threads_;
    unsigned char instanceTag_ = 0; // its address is the effect reference
    mutable std::mutex stateMutex_;
    EffectState state_;
    std::array<int, PF_Cmd_NUM_CMDS> running_{}; // commands in progress, by kind
};

} // namespace embedhost
