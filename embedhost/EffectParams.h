// The parameters of the embedded host's effect instance as the host serves them to the plug-in;
// tests read and set values here.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "AE_EffectSuites.h"
#include "AE_EffectUI.h"
#include "embedhost/ArbitraryCalls.h"
#include "embedhost/ParamArray.h"
#include "embedhost/ParamStore.h"

namespace embedhost {

class Host;

// add_param and register_ui at parameter set-up, checkout_param / checkin_param at a time,
// parameter arrays for commands, PF_UpdateParamUI and keyframe queries, and arbitrary-data
// values kept through the plug-in's own callbacks. Synchronised by one recursive lock that is
// held while the plug-in's arbitrary-data callbacks run, so a plug-in may check parameters out
// again from inside them (as the host allows).
class EffectParams {
public:
    explicit EffectParams(Host &host);
    EffectParams(const EffectParams &) = delete;
    EffectParams &operator=(const EffectParams &) = delete;

    // ---- Parameter set-up. add_param and register_ui are refused (PF_Err_BAD_CALLBACK_PARAM)
    // outside PF_Cmd_PARAMS_SETUP. add_param takes index -1 (append) or the next index.
    PF_Err addParam(PF_ParamIndex index, const PF_ParamDef *def);
    PF_Err registerUi(const PF_CustomUIInfo *info);
    void beginParamsSetup();                           // Host: before PF_Cmd_PARAMS_SETUP is sent
    void endParamsSetup(PF_Err err, A_long numParams); // Host: after; builds arbitrary values

    // ---- What was registered.
    A_long count() const; // with the input layer
    std::optional<PF_ParamIndex> indexOfId(A_long id) const;
    PF_ParamDef definition(PF_ParamIndex index) const; // as registered; text owned by the host
    PF_ParamDef current(PF_ParamIndex index) const;    // with the accepted UI updates
    std::string choices(PF_ParamIndex index) const;
    std::string label(PF_ParamIndex index) const;
    PF_ParamUIFlags uiFlags(PF_ParamIndex index) const;
    bool disabled(PF_ParamIndex index) const; // PF_PUI_DISABLED
    std::optional<PF_CustomUIInfo> customUi() const;
    // Refused add_param calls (with the reason), a num_params that differs from what was
    // registered, groups left open.
    std::vector<std::string> problems() const;

    // ---- Values. Setters throw std::out_of_range / std::invalid_argument for a wrong index,
    // id or value type; arbitrary data is set through the functions below.
    void setValue(PF_ParamIndex index, const ParamValue &value); // constant: drops keyframes
    void setValueById(A_long id, const ParamValue &value);
    void setKeyframe(PF_ParamIndex index, A_Time time, const ParamValue &value);
    void clearKeyframes(PF_ParamIndex index);
    ParamValue value(PF_ParamIndex index, A_Time time) const; // not for arbitrary data
    ParamValue value(PF_ParamIndex index) const;              // at the profile's current time
    std::size_t keyframeCount(PF_ParamIndex index) const;
    std::vector<A_Time> keyframeTimes(PF_ParamIndex index) const;
    // Replaces the constant value and every keyframe at once (any type; arbitrary handles must
    // be held by arbitrary(), e.g. made by its unflatten). For loading projects.
    void restoreValue(PF_ParamIndex index, const ParamValue &constant, const std::vector<Keyframe> &keys);

    // ---- Arbitrary data through the plug-in; the value is the one at the profile's current
    // time unless a time is given. On success scan / unflatten / resetArbitrary replace the
    // constant value (keyframes are dropped).
    PF_Err printArbitrary(PF_ParamIndex index, std::string *text, PF_ArbPrintFlags flags = PF_ArbPrint_NONE);
    PF_Err scanArbitrary(PF_ParamIndex index, const std::string &text);
    PF_Err flattenArbitrary(PF_ParamIndex index, std::vector<std::uint8_t> *bytes);
    PF_Err flattenArbitraryAt(PF_ParamIndex index, A_Time time, std::vector<std::uint8_t> *bytes);
    PF_Err unflattenArbitrary(PF_ParamIndex index, const std::vector<std::uint8_t> &flat);
    PF_Err setArbitraryKeyframe(PF_ParamIndex index, A_Time time, const std::vector<std::uint8_t> &flat);
    PF_Err compareArbitrary(PF_ParamIndex index, A_Time a, A_Time b, PF_ArbCompareResult *result);
    PF_Err resetArbitrary(PF_ParamIndex index); // a copy of the registered default
    ArbitraryCalls &arbitrary() { return arb_; }
    ArbType arbitraryType(PF_ParamIndex index) const;

    // ---- checkout_param / checkin_param. A checked-out definition stays valid until checked
    // in; its arbitrary value is a copy the host makes and disposes at check-in. A layer
    // parameter checked out during a classic render (Host::renderFrame) holds the chosen layer's
    // pixels in u.ld (FrameRenderer::lendParamLayer); at other times its u.ld is zeroed, as for
    // a parameter set to none.
    PF_Err checkout(PF_ParamIndex index, A_long time, A_long step, A_u_long scale, PF_ParamDef *def);
    PF_Err checkin(PF_ParamDef *def);
    std::size_t outstandingCheckouts() const;
    long checkouts() const;
    long checkoutsOf(PF_ParamIndex index) const; // checkout_param calls for that index
    long badCheckins() const;                    // of definitions that were not checked out
    long checkoutsDuringUpdateParamsUI() const;  // the host forbids them; served all the same

    // ---- Parameter arrays.
    ParamArray makeArray(A_Time time, bool inputOnly = false);
    // Takes back values whose definition carries PF_ChangeFlag_CHANGED_VALUE when `adopt` is
    // set (layers excepted), then disposes the array's remaining copies.
    void finish(ParamArray &array, bool adopt);
    // How many times finish took a changed value of that parameter back.
    long adoptedChanges(PF_ParamIndex index) const;

    // ---- "PF Param Utils Suite".
    PF_Err updateUi(PF_ParamIndex index, const PF_ParamDef *def);
    long uiUpdates() const;
    long refusedUiUpdates() const;
    PF_Err currentState(PF_ParamIndex index, PF_State *state) const;
    PF_Err identicalCheckout(PF_ParamIndex index, A_Time a, A_Time b, bool *identical);
    PF_Err keyframeCount(PF_ParamIndex index, PF_KeyIndex *count) const;
    PF_Err keyTime(PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale) const;
    PF_Err findKeyframe(PF_ParamIndex index, A_Time time, PF_TimeDir dir, bool *found, PF_KeyIndex *key,
                        A_long *keyTime, A_u_long *keyScale) const;
    PF_Err checkoutKeyframe(PF_ParamIndex index, PF_KeyIndex key, A_long *time, A_u_long *scale, PF_ParamDef *def);
    PF_Err checkinKeyframe(PF_ParamDef *def);

    // Disposes, through the plug-in, every arbitrary handle the host holds (values, defaults,
    // outstanding checkouts). Host calls it before global set-down and before unloading.
    void releaseAll();

private:
    struct Checkout {
        PF_ParamDef *def;
        PF_ParamIndex index;
        PF_Handle copy;
        bool keyframe;
        bool lent; // u.ld holds pixels the frame renderer lent
    };

    ArbType typeOf(PF_ParamIndex index) const;
    A_Time currentTime() const;
    // A host-owned handle of the value at a time (copy or interpolation through the plug-in).
    PF_Err materialise(PF_ParamIndex index, A_Time time, PF_Handle *out);
    void fill(PF_ParamIndex index, const ParamValue &value, PF_ParamDef *def) const;
    void disposeAll(PF_ParamIndex index, const std::vector<PF_Handle> &handles);
    PF_Err replaceArbitrary(PF_ParamIndex index, PF_Handle made, const A_Time *keyTime);
    PF_Err recordCheckout(PF_ParamIndex index, const ParamValue &value, PF_ParamDef *def, bool keyframe);
    PF_Err checkinRecord(PF_ParamDef *def, bool keyframe, bool *lent = nullptr);

    Host &host_;
    ArbitraryCalls arb_;
    mutable std::recursive_mutex mutex_;
    ParamStore store_;
    std::optional<PF_CustomUIInfo> customUi_;
    std::vector<std::string> problems_;
    std::vector<Checkout> checkouts_;
    long checkoutCount_ = 0;
    std::map<PF_ParamIndex, long> checkoutsByIndex_;
    long badCheckins_ = 0;
    long checkoutsInUpdateUi_ = 0;
    long uiUpdates_ = 0;
    long refusedUiUpdates_ = 0;
    std::map<PF_ParamIndex, long> adopted_;
    A_long generation_ = 0; // grows with every parameter set-up: states of earlier ones differ
};

} // namespace embedhost
