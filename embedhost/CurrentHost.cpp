#include "embedhost/CurrentHost.h"

#include "embedhost/Host.h"

namespace embedhost::current {

namespace {

Host *of(PF_ProgPtr ref) noexcept {
    Host *host = Host::current();
    return host && host->isEffectRef(ref) ? host : nullptr;
}

// The part `get` picks of `host` (read once), or null without one.
template <class Get>
auto partOf(Host *host, Get get) noexcept -> decltype(get(*host)) {
    return host ? get(*host) : nullptr;
}

} // namespace

bool live() noexcept { return Host::current() != nullptr; }
HandleStore *handles() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.handles(); });
}
WorldStore *worlds() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.worlds(); });
}
SuiteRegistry *suites() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.suites(); });
}
ThreadPool *threads() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.threads(); });
}
Interaction *interaction() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.interaction(); });
}
CustomUi *customUi() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.customUi(); });
}
Drawbot *drawbot() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.drawbot(); });
}
const HostProfile *profile() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.profile(); });
}
LayerStore *layers() noexcept {
    return partOf(Host::current(), [](Host &h) { return &h.layers(); });
}

bool isEffect(PF_ProgPtr ref) noexcept { return of(ref) != nullptr; }
WorldStore *worldsOf(PF_ProgPtr ref) noexcept {
    return partOf(of(ref), [](Host &h) { return &h.worlds(); });
}
Interaction *interactionOf(PF_ProgPtr ref) noexcept {
    return partOf(of(ref), [](Host &h) { return &h.interaction(); });
}
EffectParams *paramsOf(PF_ProgPtr ref) noexcept {
    return partOf(of(ref), [](Host &h) { return &h.params(); });
}
const Plugin *pluginOf(PF_ProgPtr ref) noexcept {
    return partOf(of(ref), [](Host &h) { return h.plugin(); });
}

} // namespace embedhost::current
