#include <cstring>

#include "embedhost/Host.h"
#include "embedhost/Project.h"
#include "platform/SafeFile.h"

namespace embedhost {

namespace {

[[noreturn]] void fail(const std::string &what, PF_Err err) {
    throw ProjectError(what + " (error " + std::to_string(err) + ")");
}

std::vector<std::uint8_t> handleBytes(Host &host, PF_Handle h) {
    HandleStore &handles = host.handles();
    const A_HandleSize size = handles.size(h);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
    if (size == 0)
        return out;
    const void *p = handles.lock(h);
    if (!p)
        throw ProjectError("the sequence data handle cannot be locked");
    std::memcpy(out.data(), p, out.size());
    handles.unlock(h);
    return out;
}

ProjectValue saved(const ParamValue &v) {
    ProjectValue out;
    out.type = v.type;
    out.number = v.type == PF_Param_LAYER ? double(v.layer) : v.number;
    out.color = v.color;
    return out;
}

ProjectValue savedArbitrary(EffectParams &params, PF_ParamIndex index, A_Time time) {
    ProjectValue out;
    out.type = PF_Param_ARBITRARY_DATA;
    if (PF_Err err = params.flattenArbitraryAt(index, time, &out.flat))
        fail("flattening parameter " + std::to_string(index), err);
    return out;
}

void captureSequence(Host &host, ProjectData &data) {
    const EffectState st = host.effect();
    if (!st.sequenceData)
        return;
    if (st.outFlags2 & PF_OutFlag2_SUPPORTS_GET_FLATTENED_SEQUENCE_DATA) {
        const CommandResult r = host.command(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA);
        if (r.err != PF_Err_NONE)
            fail("PF_Cmd_GET_FLATTENED_SEQUENCE_DATA failed", r.err);
        if (!r.out.sequence_data)
            throw ProjectError("PF_Cmd_GET_FLATTENED_SEQUENCE_DATA gave no data");
        data.sequence = handleBytes(host, r.out.sequence_data);
        host.handles().dispose(r.out.sequence_data); // the flat copy is the host's
        data.sequenceForm = SequenceForm::Flat;
        return;
    }
    if (st.outFlags & PF_OutFlag_SEQUENCE_DATA_NEEDS_FLATTENING) {
        const CommandResult r = host.command(PF_Cmd_SEQUENCE_FLATTEN);
        if (r.err != PF_Err_NONE)
            fail("PF_Cmd_SEQUENCE_FLATTEN failed", r.err);
        const PF_Handle flat = host.effect().sequenceData;
        data.sequence = handleBytes(host, flat);
        data.sequenceForm = SequenceForm::Flat;
        const CommandResult back = host.command(PF_Cmd_SEQUENCE_RESETUP); // disposes `flat` once replaced
        if (back.err != PF_Err_NONE)
            fail("PF_Cmd_SEQUENCE_RESETUP after flattening failed", back.err);
        return;
    }
    data.sequence = handleBytes(host, st.sequenceData);
    data.sequenceForm = SequenceForm::Raw;
}

} // namespace

ProjectData captureProject(Host &host) {
    ProjectData data;
    EffectParams &params = host.params();
    const A_Time now{host.profile().currentTime, host.profile().timeScale};
    for (PF_ParamIndex i = 1; i < params.count(); ++i) {
        const PF_ParamDef def = params.definition(i);
        if (!typeHasValue(def.param_type))
            continue;
        ProjectParam p;
        p.id = def.uu.id;
        const bool arb = def.param_type == PF_Param_ARBITRARY_DATA;
        p.value = arb ? savedArbitrary(params, i, now) : saved(params.value(i, now));
        for (const A_Time &t : params.keyframeTimes(i))
            p.keys.push_back(ProjectKey{t, arb ? savedArbitrary(params, i, t) : saved(params.value(i, t))});
        data.params.push_back(std::move(p));
    }
    captureSequence(host, data);
    return data;
}

void saveProject(Host &host, const std::string &path) {
    const std::string text = writeProject(captureProject(host));
    std::string cause;
    if (!lumora::platform::writeFileSafely(path, text, cause))
        throw ProjectError("cannot write the project file " + path + ": " + cause);
}

} // namespace embedhost
