// The host's interaction callbacks (in_data->inter): progress and abort report a user interrupt
// that tests request; add_param, checkout_param, checkin_param and register_ui go to the
// instance's parameters (EffectParams).
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "AE_Effect.h"

namespace embedhost {

// The audio callbacks are not offered: they answer PF_Err_INVALID_CALLBACK and are counted by
// name, as are the suite functions the host does not offer.
class Interaction {
public:
    Interaction();

    // Interrupt: every later progress/abort call reports PF_Interrupt_CANCEL.
    void requestInterrupt(bool on = true);
    // The first n progress calls from now answer 0, the following ones PF_Interrupt_CANCEL.
    void interruptAfterProgressCalls(long n);

    long progressCalls() const;
    A_long lastProgressCurrent() const;
    A_long lastProgressTotal() const;
    long abortCalls() const;
    long unsupportedCalls() const;                        // all of them
    long unsupportedCalls(const std::string &name) const; // e.g. "checkout_param"

    PF_Err progress(A_long current, A_long total);
    PF_Err abort();
    void noteUnsupported(const char *name);

    const PF_InteractCallbacks &callbacks() const { return callbacks_; }

private:
    bool interruptedLocked() const;

    mutable std::mutex mutex_;
    PF_InteractCallbacks callbacks_{};
    bool interrupt_ = false;
    long interruptAfter_ = -1; // progress calls still answered 0; -1: no countdown
    long progressCalls_ = 0;
    A_long lastCurrent_ = 0;
    A_long lastTotal_ = 0;
    long abortCalls_ = 0;
    std::map<std::string, long> unsupported_;
};

} // namespace embedhost
