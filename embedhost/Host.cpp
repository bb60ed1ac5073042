#include "embedhost/Host.h"

#include <atomic>
#include <cstring>
#include <stdexcept>

#include "embedhost/UtilCallbacks.h"

namespace embedhost {

namespace {
std::atomic<Host *> gCurrent{nullptr};
} // namespace

Host::CurrentClaim::CurrentClaim(Host *host) : host_(host) {
    Host *expected = nullptr;
    if (!gCurrent.compare_exchange_strong(expected, host))
        throw std::logic_error("embedhost::Host: another Host is still alive in this process");
}

Host::CurrentClaim::~CurrentClaim() {
    Host *expected = host_;
    gCurrent.compare_exchange_strong(expected, nullptr);
}

Host *Host::current() noexcept { return gCurrent.load(); }

std::string CommandResult::message() const {
    return std::string(out.return_msg, strnlen(out.return_msg, sizeof out.return_msg));
}

Host::Host(HostProfile profile) : Host(std::shared_ptr<Plugin>(), std::move(profile)) {}

Host::Host(Plugin plugin, HostProfile profile)
    : Host(std::make_shared<Plugin>(std::move(plugin)), std::move(profile)) {}

Host::Host(std::shared_ptr<Plugin> plugin, HostProfile profile)
    : claim_(this), profile_(std::move(profile)), plugin_(std::move(plugin)),
      suites_(profile_.withheldSuites, static_cast<std::size_t>(profile_.maxAllocationBytes)),
      handles_(profile_.maxAllocationBytes, profile_.garbageFill, profile_.reuseCacheBytes, &memory_),
      worlds_(profile_, &memory_), utils_(makeUtilCallbacks()), params_(*this), threads_(profile_.workerThreads) {
    HostTheme theme;
    theme.background = profile_.appBackground;
    customUi_.setTheme(theme);
    suites_.add(kPFHandleSuite, kPFHandleSuiteVersion1, handles_.suite1());
    suites_.add(kPFWorldSuite, kPFWorldSuiteVersion1, worlds_.suite1());
    suites_.add(kPFWorldSuite, kPFWorldSuiteVersion2, worlds_.suite2());
    suites_.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1, paramUtils_.suite2());
    suites_.add(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3, paramUtils_.suite3());
    suites_.add(kPFAppSuite, kPFAppSuiteVersion4, app_.suite4());
    suites_.add(kPFAppSuite, kPFAppSuiteVersion5, app_.suite5());
    suites_.add(kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1, customUi_.customUi1());
    suites_.add(kPFEffectCustomUIOverlayThemeSuite, kPFEffectCustomUIOverlayThemeSuiteVersion1,
                customUi_.overlayTheme1());
    drawbot_.publish(suites_);
    suites_.add(kPFFillMatteSuite, kPFFillMatteSuiteVersion2, renderSuites_.fillMatte2());
    suites_.add(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1, renderSuites_.worldTransform1());
    suites_.add(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, renderSuites_.pfInterface1());
    suites_.add(kAEGPLayerSuite, kAEGPLayerSuiteVersion5, renderSuites_.layer5());
    suites_.add(kAEGPItemSuite, kAEGPItemSuiteVersion7, renderSuites_.item7());
}

Host::~Host() {
    // Arbitrary values still held go back to the plug-in while it is loaded (tearDown does this
    // before global set-down; a test that never tore down gets it here).
    if (plugin_ && plugin_->entry())
        params_.releaseAll();
    // Unload first: a module's static destructors may still call back into this host.
    plugin_.reset();
}

PF_ProgPtr Host::effectRef() const { return reinterpret_cast<PF_ProgPtr>(const_cast<unsigned char *>(&instanceTag_)); }

PF_InData Host::inData() const {
    PF_InData in;
    std::memset(&in, 0, sizeof in);
    in.inter = interaction_.callbacks();
    in.utils = const_cast<PF_UtilCallbacks *>(&utils_);
    in.effect_ref = effectRef();
    in.quality = profile_.quality;
    in.version = profile_.version;
    in.appl_id = profile_.applId;
    in.current_time = profile_.currentTime;
    in.time_step = profile_.timeStep;
    in.local_time_step = profile_.timeStep;
    in.total_time = profile_.totalTime;
    in.time_scale = profile_.timeScale;
    in.width = profile_.width;
    in.height = profile_.height;
    in.extent_hint = profile_.extentHint.value_or(PF_Rect{0, 0, profile_.width, profile_.height});
    if (const std::optional<Size> layer = layers_.inputSize()) {
        // The layer's own size before downsampling, as the host documents it; the extent hint
        // describes the pixels handed over, which are downsampled.
        in.width = layer->width;
        in.height = layer->height;
        in.extent_hint = PF_Rect{0, 0, downsampled(layer->width, profile_.downsampleX),
                                 downsampled(layer->height, profile_.downsampleY)};
    }
    in.downsample_x = profile_.downsampleX;
    in.downsample_y = profile_.downsampleY;
    in.pixel_aspect_ratio = PF_RationalScale{1, 1};
    in.pica_basicP = profile_.provideBasicSuite ? const_cast<SPBasicSuite *>(suites_.basicSuite()) : nullptr;
    std::lock_guard lock(stateMutex_);
    in.num_params = state_.registeredParams;
    in.global_data = state_.globalData;
    in.sequence_data = state_.sequenceData;
    return in;
}

CommandResult Host::send(PF_Cmd cmd, PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
    if (!plugin_ || !plugin_->entry())
        throw std::logic_error("embedhost::Host::send: the host has no plug-in");
    if (cmd == PF_Cmd_PARAMS_SETUP)
        params_.beginParamsSetup();
    // Every arbitrary value goes back to the plug-in while it can still serve the callbacks.
    if (cmd == PF_Cmd_GLOBAL_SETDOWN)
        params_.releaseAll();
    PF_InData in = inData();
    CommandResult result;
    std::memset(&result.out, 0, sizeof result.out);
    enter(cmd, +1);
    try {
        result.err = plugin_->entry()(cmd, &in, &result.out, params, output, extra);
    } catch (...) {
        enter(cmd, -1);
        throw;
    }
    enter(cmd, -1);
    apply(cmd, result);
    // The flat data handed in at re-set-up is the host's; once the plug-in has replaced it,
    // the host disposes it (unless the plug-in already did).
    const PF_Handle passed = in.sequence_data;
    if (cmd == PF_Cmd_SEQUENCE_RESETUP && passed && result.out.sequence_data && result.out.sequence_data != passed &&
        handles_.isLive(passed))
        handles_.dispose(passed);
    if (cmd == PF_Cmd_PARAMS_SETUP) {
        params_.endParamsSetup(result.err, result.out.num_params);
        const A_long registered = params_.count();
        std::lock_guard lock(stateMutex_);
        if (result.err == PF_Err_NONE)
            state_.registeredParams = registered;
    }
    return result;
}

void Host::enter(PF_Cmd cmd, int delta) {
    if (cmd < 0 || cmd >= PF_Cmd_NUM_CMDS)
        return;
    std::lock_guard lock(stateMutex_);
    running_[static_cast<std::size_t>(cmd)] += delta;
}

bool Host::inCommand(PF_Cmd cmd) const {
    if (cmd < 0 || cmd >= PF_Cmd_NUM_CMDS)
        return false;
    std::lock_guard lock(stateMutex_);
    return running_[static_cast<std::size_t>(cmd)] > 0;
}

Host::ParamsPassed Host::takesParams(PF_Cmd cmd) {
    switch (cmd) {
    case PF_Cmd_PARAMS_SETUP: return ParamsPassed::InputOnly;
    case PF_Cmd_DO_DIALOG:
    case PF_Cmd_FRAME_SETUP:
    case PF_Cmd_RENDER:
    case PF_Cmd_FRAME_SETDOWN:
    case PF_Cmd_USER_CHANGED_PARAM:
    case PF_Cmd_UPDATE_PARAMS_UI:
    case PF_Cmd_EVENT:
    case PF_Cmd_AUDIO_SETUP:
    case PF_Cmd_AUDIO_RENDER:
    case PF_Cmd_AUDIO_SETDOWN: return ParamsPassed::All;
    default: return ParamsPassed::None;
    }
}

CommandResult Host::command(PF_Cmd cmd, PF_LayerDef *output, void *extra) {
    const ParamsPassed passed = takesParams(cmd);
    if (passed == ParamsPassed::None)
        return send(cmd, nullptr, output, extra);
    ParamArray array =
        params_.makeArray(A_Time{profile_.currentTime, profile_.timeScale}, passed == ParamsPassed::InputOnly);
    CommandResult r;
    try {
        r = send(cmd, array.data(), output, extra);
    } catch (...) {
        params_.finish(array, false);
        throw;
    }
    params_.finish(array, cmd == PF_Cmd_USER_CHANGED_PARAM || cmd == PF_Cmd_EVENT);
    return r;
}

void Host::apply(PF_Cmd cmd, const CommandResult &result) {
    std::lock_guard lock(stateMutex_);
    ++state_.commandsSent;
    const PF_OutData &out = result.out;
    const bool ok = result.err == PF_Err_NONE;
    if (cmd == PF_Cmd_GLOBAL_SETUP && ok) {
        state_.myVersion = out.my_version;
        state_.outFlags = out.out_flags;
        state_.outFlags2 = out.out_flags2;
    }
    if (cmd == PF_Cmd_PARAMS_SETUP && ok)
        state_.numParams = out.num_params;
    if (cmd == PF_Cmd_GLOBAL_SETDOWN)
        state_.globalData = nullptr;
    if (cmd == PF_Cmd_SEQUENCE_SETDOWN)
        state_.sequenceData = nullptr;
    if (out.global_data)
        state_.globalData = out.global_data;
    if (out.sequence_data && cmd != PF_Cmd_GET_FLATTENED_SEQUENCE_DATA)
        state_.sequenceData = out.sequence_data;
}

CommandResult Host::setUp() {
    CommandResult r;
    for (PF_Cmd cmd : {PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP, PF_Cmd_SEQUENCE_SETUP}) {
        r = command(cmd);
        if (r.err != PF_Err_NONE)
            break;
    }
    return r;
}

CommandResult Host::tearDown() {
    CommandResult r;
    for (PF_Cmd cmd : {PF_Cmd_SEQUENCE_SETDOWN, PF_Cmd_GLOBAL_SETDOWN}) {
        r = command(cmd);
        if (r.err != PF_Err_NONE)
            break;
    }
    return r;
}

EffectState Host::effect() const {
    std::lock_guard lock(stateMutex_);
    return state_;
}

void Host::setSequenceData(PF_Handle handle) {
    std::lock_guard lock(stateMutex_);
    state_.sequenceData = handle;
}

} // namespace embedhost
