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
      handles_(profile_.maxAllocationBytes), worlds_(profile_),
      utils_(makeUtilCallbacks()), threads_(profile_.workerThreads) {
    suites_.add(kPFHandleSuite, kPFHandleSuiteVersion1, handles_.suite1());
    suites_.add(kPFWorldSuite, kPFWorldSuiteVersion1, worlds_.suite1());
    suites_.add(kPFWorldSuite, kPFWorldSuiteVersion2, worlds_.suite2());
}

Host::~Host() {
    // Unload first: a module's static destructors may still call back into this host.
    plugin_.reset();
}

PF_ProgPtr Host::effectRef() const {
    return reinterpret_cast<PF_ProgPtr>(const_cast<unsigned char *>(&instanceTag_));
}

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
    in.downsample_x = profile_.downsampleX;
    in.downsample_y = profile_.downsampleY;
    in.pixel_aspect_ratio = PF_RationalScale{1, 1};
    in.pica_basicP =
        profile_.provideBasicSuite ? const_cast<SPBasicSuite *>(suites_.basicSuite()) : nullptr;
    std::lock_guard lock(stateMutex_);
    in.num_params = state_.numParams;
    in.global_data = state_.globalData;
    in.sequence_data = state_.sequenceData;
    return in;
}

CommandResult Host::send(PF_Cmd cmd, PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
    if (!plugin_ || !plugin_->entry())
        throw std::logic_error("embedhost::Host::send: the host has no plug-in");
    PF_InData in = inData();
    CommandResult result;
    std::memset(&result.out, 0, sizeof result.out);
    result.err = plugin_->entry()(cmd, &in, &result.out, params, output, extra);
    apply(cmd, result);
    return result;
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
    if (out.sequence_data)
        state_.sequenceData = out.sequence_data;
}

CommandResult Host::setUp() {
    CommandResult r;
    for (PF_Cmd cmd : {PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP, PF_Cmd_SEQUENCE_SETUP}) {
        r = send(cmd);
        if (r.err != PF_Err_NONE)
            break;
    }
    return r;
}

CommandResult Host::tearDown() {
    CommandResult r;
    for (PF_Cmd cmd : {PF_Cmd_SEQUENCE_SETDOWN, PF_Cmd_GLOBAL_SETDOWN}) {
        r = send(cmd);
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
