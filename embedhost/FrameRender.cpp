// A frame's entry, for both paths, and the bookkeeping they share.
#include <stdexcept>

#include "embedhost/FrameRender.h"
#include "embedhost/Host.h"
#include "embedhost/Layers.h"

namespace embedhost {

RenderOutput FrameRenderer::render(RenderPath path) {
    std::lock_guard frame(renderMutex_);
    if (!host_.plugin())
        throw std::logic_error("embedhost::Host::renderFrame: the host has no plug-in");
    const std::shared_ptr<const Image> input = host_.layers().get(kInputLayerId);
    if (!input)
        throw std::logic_error("embedhost::Host::renderFrame: no input layer (setLayer(kInputLayerId, ...))");
    const HostProfile &p = host_.profile();
    if (!validDownsample(p.downsampleX) || !validDownsample(p.downsampleY))
        throw std::invalid_argument("embedhost::Host::renderFrame: downsample factors must lie in (0, 1]");
    {
        std::lock_guard lock(mutex_);
        format_ = input->format;
        dsX_ = p.downsampleX;
        dsY_ = p.downsampleY;
    }
    return path == RenderPath::Smart ? renderSmart() : renderClassic();
}

std::vector<std::string> FrameRenderer::problems() const {
    std::lock_guard lock(mutex_);
    return problems_;
}

PF_Err FrameRenderer::refuse(const std::string &what) {
    problems_.push_back(what);
    return PF_Err_BAD_CALLBACK_PARAM;
}

void FrameRenderer::begin(Phase phase) {
    std::lock_guard lock(mutex_);
    phase_ = phase;
    checkouts_.clear();
    lent_.clear();
    output_.reset();
    outputRect_ = PF_LRect{};
}

void FrameRenderer::endFrame() {
    std::lock_guard lock(mutex_);
    // Pixels still checked out are checked in by the host once the render returns; an early
    // check-in only frees memory sooner, so leaving them out is not misuse.
    for (auto &[id, world] : lent_)
        host_.worlds().dispose(world.get());
    lent_.clear();
    for (auto &[def, world] : paramLayers_)
        host_.worlds().dispose(world.get());
    paramLayers_.clear();
    if (output_)
        host_.worlds().dispose(output_.get());
    output_.reset();
    checkouts_.clear();
    phase_ = Phase::Idle;
}

} // namespace embedhost
