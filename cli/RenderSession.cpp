#include "cli/RenderSession.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "cli/EffectModule.h"
#include "cli/GradientStops.h"
#include "cli/HostText.h"
#include "cli/MemoryBudget.h"
#include "colorbar/data/PresetFile.h"
#include "embedhost/Host.h"

namespace lumora::cli {

namespace {

// Found by the name the user sees, as every option names its parameter.
std::optional<PF_ParamIndex> indexNamed(const embedhost::EffectParams &params, std::string_view name) {
    for (PF_ParamIndex index = 1; index < params.count(); ++index)
        if (std::string_view(params.definition(index).name) == name)
            return index;
    return std::nullopt;
}

PF_ParamIndex gradientIndex(const embedhost::EffectParams &params) {
    for (PF_ParamIndex index = 1; index < params.count(); ++index)
        if (params.definition(index).param_type == PF_Param_ARBITRARY_DATA)
            return index;
    return 0;
}

// Thousands of presets fit in a megabyte.
constexpr std::uintmax_t kMaxPresetFileBytes = std::uintmax_t{16} << 20;

AEUtil::GradientData presetGradient(const std::string &name) {
    char path[AEUtil::kPresetPathSize];
    if (!AEUtil::presetFilePath(AEUtil::kPresetFileName, path))
        throw std::runtime_error("the preset file's path cannot be built (shared documents folder unknown or "
                                 "the path too long)");
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    if (ec)
        throw std::runtime_error("no gradient preset '" + name + "': the preset file " + std::string(path) +
                                 " cannot be read (" + ec.message() + ")");
    if (bytes > kMaxPresetFileBytes)
        throw std::runtime_error("the preset file " + std::string(path) + " is larger than " +
                                 std::to_string(kMaxPresetFileBytes >> 20) + " MB, more than a preset file holds");
    const std::vector<AEUtil::PresetRecord> presets = AEUtil::readPresetFile(path);
    const AEUtil::PresetRecord *preset = AEUtil::findPreset(presets, name.c_str());
    if (!preset) {
        // A few names to choose from, not the whole file.
        std::string known;
        for (std::size_t i = 0; i < presets.size() && i < 5; ++i)
            known.append(i ? ", " : "").append("'").append(presets[i].name).append("'");
        if (presets.size() > 5)
            known += " and " + std::to_string(presets.size() - 5) + " more";
        throw std::runtime_error("no gradient preset '" + name + "' in " + path +
                                 (known.empty() ? std::string(" (it holds none)") : "; presets: " + known));
    }
    const A_long n = AEUtil::usedFlagCount(preset->list);
    std::vector<AEUtil::ColorFlag> stops(preset->list.flag, preset->list.flag + n);
    AEUtil::GradientData value = gradientValue(stops, name);
    value.preset = value.current; // the gradient is the preset's, unmodified
    return value;
}

embedhost::HostProfile profileFor(const RenderRequest &request) {
    embedhost::HostProfile profile;
    profile.workerThreads = request.threads;
    profile.downsampleX = profile.downsampleY = PF_RationalScale{1, static_cast<A_u_long>(request.downsample)};
    profile.quality = request.quality;
    profile.garbageFill = false;
    profile.reuseCacheBytes = std::size_t{2} << 30;
    return profile;
}

} // namespace

std::vector<ParamOption> loadParamOptions(const std::string &module) {
    embedhost::Host host(effectPlugin(module));
    std::vector<ParamOption> options;
    withRegisteredParams(host, [&](const embedhost::EffectParams &params) { options = paramOptions(params); });
    return options;
}

RenderArgs parseRenderVerb(std::span<const std::string> args, RenderVerb verb) {
    RenderArgs parsed{loadParamOptions(moduleOption(args)), {}};
    parsed.request = parseRenderArgs(args, parsed.table, verb);
    return parsed;
}

embedhost::Image cropOrPad(const embedhost::Image &image, A_long left, A_long top, A_long width, A_long height) {
    embedhost::Image out = embedhost::Image::make(width, height, image.format);
    const std::size_t pixel = image.pixelBytes();
    const A_long x0 = std::max<A_long>(left, 0), x1 = std::min<A_long>(left + width, image.width);
    if (x1 <= x0)
        return out;
    for (A_long y = std::max<A_long>(top, 0); y < std::min<A_long>(top + height, image.height); ++y)
        std::memcpy(out.pixels.data() + out.rowBytes() * static_cast<std::size_t>(y - top) +
                        pixel * static_cast<std::size_t>(x0 - left),
                    image.pixels.data() + image.rowBytes() * static_cast<std::size_t>(y) +
                        pixel * static_cast<std::size_t>(x0),
                    pixel * static_cast<std::size_t>(x1 - x0));
    return out;
}

RenderSession::RenderSession(const RenderRequest &request)
    : host_(std::make_unique<embedhost::Host>(effectPlugin(request.module), profileFor(request))),
      classic_(request.classic), memoryBudget_(request.memoryBudget ? request.memoryBudget : defaultMemoryBudget()),
      downsample_(request.downsample) {
    checkCommand(host_->setUp(), "set-up");
    try {
        applySettings(request);
        // Controls greyed out here are what the classic render's parameter array reports.
        if (host_->effect().outFlags & PF_OutFlag_SEND_UPDATE_PARAMS_UI)
            checkCommand(host_->command(PF_Cmd_UPDATE_PARAMS_UI), "to update its controls");
    } catch (...) {
        host_->tearDown();
        throw;
    }
}

void RenderSession::applySettings(const RenderRequest &request) {
    embedhost::EffectParams &params = host_->params();
    for (const ParamSetting &s : request.settings)
        params.setValue(s.index, s.value);
    if (request.gradient || !request.gradientPreset.empty()) {
        const PF_ParamIndex index = gradientIndex(params);
        if (index == 0)
            throw std::runtime_error("the plug-in has no gradient parameter");
        const AEUtil::GradientData value =
            request.gradient ? gradientValue(*request.gradient) : presetGradient(request.gradientPreset);
        if (const PF_Err err = params.scanArbitrary(index, gradientScanText(value)))
            throw std::runtime_error("the plug-in refused the gradient: " + failureText(err, {}));
    }
}

RenderSession::~RenderSession() {
    if (!finished_ && host_) {
        try {
            host_->tearDown();
        } catch (...) {
            // Already failing: the first error is the one reported.
        }
    }
}

void RenderSession::setLayer(PF_ParamIndex index, embedhost::Image image) {
    // Each layer parameter names its own layer, by an id no other layer uses.
    const A_long id = index;
    host_->setLayer(id, std::move(image));
    host_->params().setValue(index, embedhost::ParamValue::layerChoice(id));
}

embedhost::Image RenderSession::render(const embedhost::Image &input, bool keepArea) {
    const auto width = static_cast<std::uint64_t>(std::max<A_long>(input.width, 0));
    const auto height = static_cast<std::uint64_t>(std::max<A_long>(input.height, 0));
    requireWithinBudget(frameRenderBytes(width, height, static_cast<int>(input.pixelBytes()), downsample_),
                        memoryBudget_,
                        "rendering a " + std::to_string(width) + " x " + std::to_string(height) + " frame");
    host_->setLayer(embedhost::kInputLayerId, input);
    embedhost::RenderOutput out =
        host_->renderFrame(classic_ ? embedhost::RenderPath::Classic : embedhost::RenderPath::Smart);
    if (out.err != PF_Err_NONE)
        throw std::runtime_error("the render failed: " + failureText(out.err, out.message));
    if (keepArea)
        return std::move(out.image);
    const embedhost::HostProfile &profile = host_->profile();
    return cropOrPad(out.image, -out.originX, -out.originY, embedhost::downsampled(input.width, profile.downsampleX),
                     embedhost::downsampled(input.height, profile.downsampleY));
}

std::optional<double> RenderSession::glowIntensity() const {
    const std::optional<PF_ParamIndex> index = indexNamed(host_->params(), "Glow Intensity");
    if (!index)
        return std::nullopt;
    return host_->params().value(*index).number;
}

std::optional<bool> RenderSession::depthEffectsEnabled() const {
    const std::optional<PF_ParamIndex> index = indexNamed(host_->params(), "Enable Depth Effects");
    if (!index)
        return std::nullopt;
    const embedhost::ParamValue value = host_->params().value(*index);
    if (value.type != PF_Param_CHECKBOX)
        return std::nullopt;
    return value.whole() != 0;
}

void RenderSession::finish() {
    finished_ = true;
    checkCommand(host_->tearDown(), "set-down");
}

} // namespace lumora::cli
