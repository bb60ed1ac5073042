// The live host's parts, as the callbacks and suites the plug-in calls without context reach
// them (the host's callbacks carry none; Host::current() is the one live host). Each answers
// null without a live host; those taking an effect reference also when it is not the host's.
#pragma once

#include "AE_Effect.h"

namespace embedhost {

class CustomUi;
class Drawbot;
class EffectParams;
class HandleStore;
class Interaction;
class LayerStore;
class Plugin;
class SuiteRegistry;
class ThreadPool;
class WorldStore;
struct HostProfile;

namespace current {

bool live() noexcept;
HandleStore *handles() noexcept;
WorldStore *worlds() noexcept;
SuiteRegistry *suites() noexcept;
ThreadPool *threads() noexcept;
Interaction *interaction() noexcept;
const HostProfile *profile() noexcept;
LayerStore *layers() noexcept;
CustomUi *customUi() noexcept;
Drawbot *drawbot() noexcept;

bool isEffect(PF_ProgPtr ref) noexcept;
WorldStore *worldsOf(PF_ProgPtr ref) noexcept;
Interaction *interactionOf(PF_ProgPtr ref) noexcept;
EffectParams *paramsOf(PF_ProgPtr ref) noexcept;
// Null also when the host has no plug-in.
const Plugin *pluginOf(PF_ProgPtr ref) noexcept;

} // namespace current

} // namespace embedhost
