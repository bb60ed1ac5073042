#include <cstring>
#include <fstream>
#include <sstream>

#include "embedhost/Host.h"
#include "embedhost/Project.h"

namespace embedhost {

namespace {

[[noreturn]] void fail(const std::string &what, PF_Err err) {
    throw ProjectError(what + " (error " + std::to_string(err) + ")");
}

// Values made ready before anything changes; arbitrary handles are given back if loading
// stops half-way.
struct Staged {
    PF_ParamIndex index;
    ParamValue constant;
    std::vector<Keyframe> keys;
};

class Staging {
public:
    explicit Staging(EffectParams &params) : params_(params) {}
    Staging(const Staging &) = delete;
    Staging &operator=(const Staging &) = delete;
    ~Staging() {
        for (const Staged &s : staged_) {
            const ArbType type = params_.arbitraryType(s.index);
            params_.arbitrary().dispose(type, s.constant.arb);
            for (const Keyframe &k : s.keys)
                params_.arbitrary().dispose(type, k.value.arb);
        }
    }

    ParamValue make(PF_ParamIndex index, const ProjectValue &v) {
        ParamValue out;
        out.type = v.type;
        if (v.type == PF_Param_ARBITRARY_DATA) {
            if (PF_Err err = params_.arbitrary().unflatten(params_.arbitraryType(index), v.flat, &out.arb))
                fail("unflattening parameter " + std::to_string(index), err);
        } else if (v.type == PF_Param_COLOR) {
            out.color = v.color;
        } else if (v.type == PF_Param_LAYER) {
            out.layer = static_cast<A_long>(v.number);
        } else {
            out.number = v.number;
        }
        return out;
    }

    std::vector<Staged> &staged() { return staged_; }
    void commit() {
        for (const Staged &s : staged_)
            params_.restoreValue(s.index, s.constant, s.keys);
        staged_.clear();
    }

private:
    EffectParams &params_;
    std::vector<Staged> staged_;
};

PF_Handle handleWith(Host &host, const std::vector<std::uint8_t> &bytes) {
    PF_Handle h = host.handles().newHandle(bytes.size());
    if (!h)
        throw ProjectError("no host memory for the sequence data");
    if (!bytes.empty()) {
        void *p = host.handles().lock(h);
        if (!p) {
            host.handles().dispose(h);
            throw ProjectError("the sequence data handle cannot be locked");
        }
        std::memcpy(p, bytes.data(), bytes.size());
        host.handles().unlock(h);
    }
    return h;
}

void restoreSequence(Host &host, const ProjectData &data) {
    if (data.sequenceForm == SequenceForm::None) {
        const CommandResult r = host.command(PF_Cmd_SEQUENCE_SETUP);
        if (r.err != PF_Err_NONE)
            fail("PF_Cmd_SEQUENCE_SETUP failed", r.err);
        return;
    }
    const PF_Handle flat = handleWith(host, data.sequence);
    host.setSequenceData(flat);
    const CommandResult r = host.command(PF_Cmd_SEQUENCE_RESETUP); // disposes `flat` once replaced
    if (r.err != PF_Err_NONE)
        fail("PF_Cmd_SEQUENCE_RESETUP failed", r.err);
}

void setUpParams(Host &host) {
    if (host.effect().commandsSent == 0) {
        const CommandResult r = host.command(PF_Cmd_GLOBAL_SETUP);
        if (r.err != PF_Err_NONE)
            fail("PF_Cmd_GLOBAL_SETUP failed", r.err);
    }
    if (host.params().count() <= 1) {
        const CommandResult r = host.command(PF_Cmd_PARAMS_SETUP);
        if (r.err != PF_Err_NONE)
            fail("PF_Cmd_PARAMS_SETUP failed", r.err);
    }
}

} // namespace

LoadReport applyProject(Host &host, const ProjectData &data) {
    if (host.effect().sequenceData)
        throw ProjectError("a project loads into a fresh instance; this one has sequence data");
    setUpParams(host);
    EffectParams &params = host.params();
    LoadReport report;
    // Every check before anything is made or changed.
    for (const ProjectParam &p : data.params) {
        const auto index = params.indexOfId(p.id);
        if (!index) {
            report.unknownIds.push_back(p.id);
            continue;
        }
        const PF_ParamDef def = params.definition(*index);
        if (def.param_type != p.value.type)
            throw ProjectError("disk id " + std::to_string(p.id) + " is saved as " + typeName(p.value.type) +
                               " but registered as " + typeName(def.param_type));
        auto badPopup = [&](const ProjectValue &v) {
            return def.param_type == PF_Param_POPUP && (v.number < 1 || v.number > def.u.pd.num_choices);
        };
        bool outOfRange = badPopup(p.value);
        for (const ProjectKey &k : p.keys)
            outOfRange = outOfRange || badPopup(k.value);
        if (outOfRange)
            throw ProjectError("disk id " + std::to_string(p.id) + " holds a popup choice it does not have");
        if (!p.keys.empty() && (def.flags & PF_ParamFlag_CANNOT_TIME_VARY))
            throw ProjectError("disk id " + std::to_string(p.id) + " has keyframes but cannot vary over time");
    }
    Staging staging(params);
    for (const ProjectParam &p : data.params) {
        const auto index = params.indexOfId(p.id);
        if (!index)
            continue;
        // Pushed before it is filled: a failure half-way still gives back what was made.
        staging.staged().push_back(Staged{*index, ParamValue{}, {}});
        Staged &s = staging.staged().back();
        s.constant = staging.make(*index, p.value);
        for (const ProjectKey &k : p.keys)
            s.keys.push_back(Keyframe{k.time, staging.make(*index, k.value)});
    }
    for (PF_ParamIndex i = 1; i < params.count(); ++i) {
        const PF_ParamDef def = params.definition(i);
        bool saved = false;
        for (const ProjectParam &p : data.params)
            saved = saved || p.id == def.uu.id;
        if (saved || !typeHasValue(def.param_type))
            continue;
        report.missingIds.push_back(def.uu.id);
        if ((def.flags & PF_ParamFlag_USE_VALUE_FOR_OLD_PROJECTS) && def.param_type != PF_Param_ARBITRARY_DATA &&
            def.param_type != PF_Param_LAYER)
            staging.staged().push_back(Staged{i, valueFieldOf(def), {}});
    }
    restoreSequence(host, data);
    staging.commit();
    return report;
}

// A project is a few kilobytes of parameter values and keyframes.
constexpr std::size_t kMaxProjectBytes = std::size_t{64} << 20;

LoadReport loadProject(Host &host, const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ProjectError("cannot open the project file " + path);
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxProjectBytes)
            throw ProjectError("the project file " + path + " is larger than " +
                               std::to_string(kMaxProjectBytes >> 20) + " MB, more than a project holds");
    }
    if (in.bad())
        throw ProjectError("cannot read the project file " + path);
    return applyProject(host, readProject(text));
}

} // namespace embedhost
