#include "embedhost/Interaction.h"

#include "embedhost/CurrentHost.h"
#include "embedhost/EffectParams.h"
#include "embedhost/LockedRead.h"

namespace embedhost {

namespace {

PF_Err unsupported(PF_ProgPtr ref, const char *name) {
    if (Interaction *i = current::interactionOf(ref))
        i->noteUnsupported(name);
    else if (Interaction *any = current::interaction())
        any->noteUnsupported(name);
    return PF_Err_INVALID_CALLBACK;
}

PF_Err cbProgress(PF_ProgPtr ref, A_long current, A_long total) {
    Interaction *i = current::interactionOf(ref);
    return i ? i->progress(current, total) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbAbort(PF_ProgPtr ref) {
    Interaction *i = current::interactionOf(ref);
    return i ? i->abort() : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckoutParam(PF_ProgPtr ref, PF_ParamIndex index, A_long time, A_long step, A_u_long scale,
                       PF_ParamDef *def) {
    EffectParams *p = current::paramsOf(ref);
    return p ? p->checkout(index, time, step, scale, def) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckinParam(PF_ProgPtr ref, PF_ParamDef *def) {
    EffectParams *p = current::paramsOf(ref);
    return p ? p->checkin(def) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbAddParam(PF_ProgPtr ref, PF_ParamIndex index, PF_ParamDefPtr def) {
    EffectParams *p = current::paramsOf(ref);
    return p ? p->addParam(index, def) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbRegisterUi(PF_ProgPtr ref, PF_CustomUIInfo *info) {
    EffectParams *p = current::paramsOf(ref);
    return p ? p->registerUi(info) : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err cbCheckoutAudio(PF_ProgPtr ref, PF_ParamIndex, A_long, A_long, A_u_long, PF_UFixed, A_long, A_long, A_long,
                       PF_LayerAudio *) {
    return unsupported(ref, "checkout_layer_audio");
}

PF_Err cbCheckinAudio(PF_ProgPtr ref, PF_LayerAudio) { return unsupported(ref, "checkin_layer_audio"); }

PF_Err cbGetAudioData(PF_ProgPtr ref, PF_LayerAudio, PF_SndSamplePtr *, A_long *, PF_UFixed *, A_long *, A_long *,
                      A_long *) {
    return unsupported(ref, "get_audio_data");
}

} // namespace

Interaction::Interaction() {
    callbacks_.checkout_param = cbCheckoutParam;
    callbacks_.checkin_param = cbCheckinParam;
    callbacks_.add_param = cbAddParam;
    callbacks_.abort = cbAbort;
    callbacks_.progress = cbProgress;
    callbacks_.register_ui = cbRegisterUi;
    callbacks_.checkout_layer_audio = cbCheckoutAudio;
    callbacks_.checkin_layer_audio = cbCheckinAudio;
    callbacks_.get_audio_data = cbGetAudioData;
}

void Interaction::requestInterrupt(bool on) {
    std::lock_guard lock(mutex_);
    interrupt_ = on;
    if (!on)
        interruptAfter_ = -1;
}

void Interaction::interruptAfterProgressCalls(long n) {
    std::lock_guard lock(mutex_);
    interruptAfter_ = n < 0 ? -1 : n;
}

bool Interaction::interruptedLocked() const { return interrupt_; }

PF_Err Interaction::progress(A_long current, A_long total) {
    std::lock_guard lock(mutex_);
    ++progressCalls_;
    lastCurrent_ = current;
    lastTotal_ = total;
    if (interruptAfter_ == 0)
        interrupt_ = true;
    else if (interruptAfter_ > 0)
        --interruptAfter_;
    return interruptedLocked() ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

PF_Err Interaction::abort() {
    std::lock_guard lock(mutex_);
    ++abortCalls_;
    return interruptedLocked() ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

void Interaction::noteUnsupported(const char *name) {
    std::lock_guard lock(mutex_);
    ++unsupported_[name];
}

long Interaction::progressCalls() const { return lockedRead(mutex_, progressCalls_); }

A_long Interaction::lastProgressCurrent() const { return lockedRead(mutex_, lastCurrent_); }

A_long Interaction::lastProgressTotal() const { return lockedRead(mutex_, lastTotal_); }

long Interaction::abortCalls() const { return lockedRead(mutex_, abortCalls_); }

long Interaction::unsupportedCalls() const {
    std::lock_guard lock(mutex_);
    long total = 0;
    for (const auto &[name, count] : unsupported_)
        total += count;
    return total;
}

long Interaction::unsupportedCalls(const std::string &name) const {
    std::lock_guard lock(mutex_);
    auto it = unsupported_.find(name);
    return it == unsupported_.end() ? 0 : it->second;
}

} // namespace embedhost
