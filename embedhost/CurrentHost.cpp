#include "embedhost/CurrentHost.h"

#include "embedhost/Host.h"

namespace embedhost::current {

namespace {

Host *of(PF_ProgPtr ref) noexcept {
    Host *host = Host::current();
    return host && host->isEffectRef(ref) ? host : nullptr;
}

} // namespace

bool live() noexcept { return Host::current() != nullptr; }
HandleStore *handles() noexcept { return Host::current() ? &Host::current()->handles() : nullptr; }
WorldStore *worlds() noexcept { return Host::current() ? &Host::current()->worlds() : nullptr; }
SuiteRegistry *suites() noexcept { return Host::current() ? &Host::current()->suites() : nullptr; }
ThreadPool *threads() noexcept { return Host::current() ? &Host::current()->threads() : nullptr; }
Interaction *interaction() noexcept { return Host::current() ? &Host::current()->interaction() : nullptr; }
const HostProfile *profile() noexcept { return Host::current() ? &Host::current()->profile() : nullptr; }
LayerStore *layers() noexcept { return Host::current() ? &Host::current()->layers() : nullptr; }

bool isEffect(PF_ProgPtr ref) noexcept { return of(ref) != nullptr; }
WorldStore *worldsOf(PF_ProgPtr ref) noexcept { return of(ref) ? &of(ref)->worlds() : nullptr; }
Interaction *interactionOf(PF_ProgPtr ref) noexcept { return of(ref) ? &of(ref)->interaction() : nullptr; }
EffectParams *paramsOf(PF_ProgPtr ref) noexcept { return of(ref) ? &of(ref)->params() : nullptr; }
const Plugin *pluginOf(PF_ProgPtr ref) noexcept { return of(ref) ? of(ref)->plugin() : nullptr; }

} // namespace embedhost::current
