// A small effect linked into the embedded-host tests: registers the parameters a test lists,
// serves a 16-byte arbitrary type and keeps sequence data, recording what the host sent it.
#pragma once

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectUI.h"

namespace embedhost {
class Host;
}

namespace fake {

struct ArbRecord {
    A_long magic;
    A_long pad;
    double x;
};
constexpr A_long kArbMagic = 0x41524221;
// Sequence data: {kSeqMagic, counter} (counter 7 at set-up); flat: {counter, kFlatMagic}.
constexpr A_long kSeqMagic = 0x53455131;
constexpr A_long kFlatMagic = 0x464c4154;
constexpr A_u_long kArbPrintSize = 32;
inline void *const kArbRefcon = reinterpret_cast<void *>(0x5eed);

struct Effect {
    // What to register at PF_Cmd_PARAMS_SETUP, in order.
    std::vector<PF_ParamDef> defs;
    double arbDefault = 0.5; // the value of each arbitrary default handle
    bool arbNullDefault = false;
    bool registerUi = false;
    PF_CustomUIInfo ui{};
    A_long numParams = -1; // -1: one more than the definitions accepted
    PF_OutFlags outFlags = 0;
    PF_OutFlags2 outFlags2 = 0;
    // Arbitrary callbacks: this selector answers `arbFailure`, returning a handle anyway when
    // `arbHandleOnFailure` is set.
    PF_FunctionSelector arbFailSelector = -1;
    PF_Err arbFailure = PF_Err_BAD_CALLBACK_PARAM;
    bool arbHandleOnFailure = false;
    // Runs first for every command; returning true makes `result` the command's answer.
    std::function<bool(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], void *, PF_Err *result)> hook;

    // Seen.
    std::vector<PF_Cmd> commands;
    std::vector<PF_Err> addResults;
    std::vector<bool> arrayGiven; // per command: whether a parameter array came with it
    PF_Err registerUiResult = PF_Err_NONE;
    std::array<long, PF_Arbitrary_SCAN_FUNC + 1> arbCalls{};
    std::vector<std::string> scanned;
    long resetups = 0;
};

Effect &effect();
void reset();
std::mutex &mutex(); // guards what effect() records while commands run on several threads

PF_Err entry(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *output, void *extra);

// Runs `body` as the effect's handling of `cmd`, sent through Host::command; returns its result.
using Body = std::function<void(PF_InData *in, PF_OutData *out, PF_ParamDef *params[], void *extra)>;
PF_Err during(embedhost::Host &host, PF_Cmd cmd, const Body &body, void *extra = nullptr);

// Reading a handle of the fake's arbitrary type (through the current host's handles).
double arbValue(PF_Handle h);

// Definitions as a plug-in would fill them.
PF_ParamDef floatSlider(const char *name, A_long id, float validMin, float validMax, float sliderMin, float sliderMax,
                        float dflt);
PF_ParamDef popup(const char *name, A_long id, const char *choices, A_short count, A_short dflt);
PF_ParamDef checkbox(const char *name, A_long id, const char *label, bool dflt);
PF_ParamDef color(const char *name, A_long id, PF_Pixel dflt);
PF_ParamDef layer(const char *name, A_long id);
PF_ParamDef arbitrary(const char *name, A_long id);
PF_ParamDef groupStart(const char *name, A_long id);
PF_ParamDef groupEnd(A_long id);

} // namespace fake
