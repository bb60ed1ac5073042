#include "FakeEffect.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "AE_EffectCB.h"
#include "embedhost/Host.h"

namespace fake {

namespace {

Effect gEffect;

PF_Handle newHandle(PF_InData *in, const void *bytes, A_HandleSize size) {
    PF_Handle h = in->utils->host_new_handle(size);
    if (!h)
        return nullptr;
    std::memcpy(in->utils->host_lock_handle(h), bytes, static_cast<std::size_t>(size));
    in->utils->host_unlock_handle(h);
    return h;
}

PF_Handle newArb(PF_InData *in, double x) {
    ArbRecord r{kArbMagic, 0, x};
    return newHandle(in, &r, sizeof r);
}

ArbRecord readArb(PF_InData *in, PF_Handle h) {
    ArbRecord r{};
    std::memcpy(&r, in->utils->host_lock_handle(h), sizeof r);
    in->utils->host_unlock_handle(h);
    return r;
}

PF_Err arbitrary(PF_InData *in, PF_ArbParamsExtra &x) {
    Effect &e = gEffect;
    if (x.which_function >= 0 && x.which_function <= PF_Arbitrary_SCAN_FUNC) {
        std::lock_guard lock(mutex());
        ++e.arbCalls[static_cast<std::size_t>(x.which_function)];
    }
    if (x.u.new_func_params.refconPV != kArbRefcon)
        return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    if (x.which_function == e.arbFailSelector) {
        PF_ArbitraryH *out = x.which_function == PF_Arbitrary_COPY_FUNC   ? x.u.copy_func_params.dst_arbPH
                             : x.which_function == PF_Arbitrary_SCAN_FUNC ? x.u.scan_func_params.arbPH
                             : x.which_function == PF_Arbitrary_NEW_FUNC  ? x.u.new_func_params.arbPH
                                                                          : nullptr;
        if (out && e.arbHandleOnFailure)
            *out = newArb(in, -1);
        return e.arbFailure;
    }
    switch (x.which_function) {
    case PF_Arbitrary_NEW_FUNC: *x.u.new_func_params.arbPH = newArb(in, e.arbDefault); return PF_Err_NONE;
    case PF_Arbitrary_DISPOSE_FUNC: in->utils->host_dispose_handle(x.u.dispose_func_params.arbH); return PF_Err_NONE;
    case PF_Arbitrary_COPY_FUNC: {
        PF_Handle src = x.u.copy_func_params.src_arbH;
        *x.u.copy_func_params.dst_arbPH = newArb(in, src ? readArb(in, src).x : e.arbDefault);
        return PF_Err_NONE;
    }
    case PF_Arbitrary_FLAT_SIZE_FUNC:
        *x.u.flat_size_func_params.flat_data_sizePLu = sizeof(ArbRecord);
        return PF_Err_NONE;
    case PF_Arbitrary_FLATTEN_FUNC: {
        if (x.u.flatten_func_params.buf_sizeLu != sizeof(ArbRecord))
            return PF_Err_BAD_CALLBACK_PARAM;
        const ArbRecord r = readArb(in, x.u.flatten_func_params.arbH);
        std::memcpy(x.u.flatten_func_params.flat_dataPV, &r, sizeof r);
        return PF_Err_NONE;
    }
    case PF_Arbitrary_UNFLATTEN_FUNC: {
        if (x.u.unflatten_func_params.buf_sizeLu != sizeof(ArbRecord))
            return PF_Err_BAD_CALLBACK_PARAM;
        ArbRecord r;
        std::memcpy(&r, x.u.unflatten_func_params.flat_dataPV, sizeof r);
        if (r.magic != kArbMagic)
            return PF_Err_BAD_CALLBACK_PARAM;
        *x.u.unflatten_func_params.arbPH = newArb(in, r.x);
        return PF_Err_NONE;
    }
    case PF_Arbitrary_INTERP_FUNC: {
        const double l = readArb(in, x.u.interp_func_params.left_arbH).x;
        const double r = readArb(in, x.u.interp_func_params.right_arbH).x;
        *x.u.interp_func_params.interpPH = newArb(in, l + (r - l) * x.u.interp_func_params.tF);
        return PF_Err_NONE;
    }
    case PF_Arbitrary_COMPARE_FUNC: {
        const double a = readArb(in, x.u.compare_func_params.a_arbH).x;
        const double b = readArb(in, x.u.compare_func_params.b_arbH).x;
        *x.u.compare_func_params.compareP = a == b  ? PF_ArbCompare_EQUAL
                                            : a < b ? PF_ArbCompare_LESS
                                                    : PF_ArbCompare_MORE;
        return PF_Err_NONE;
    }
    case PF_Arbitrary_PRINT_SIZE_FUNC: *x.u.print_size_func_params.print_sizePLu = kArbPrintSize; return PF_Err_NONE;
    case PF_Arbitrary_PRINT_FUNC: {
        const double v = readArb(in, x.u.print_func_params.arbH).x;
        std::snprintf(x.u.print_func_params.print_bufferPC, x.u.print_func_params.print_sizeLu, "x=%d/1000",
                      static_cast<int>(v * 1000));
        return PF_Err_NONE;
    }
    case PF_Arbitrary_SCAN_FUNC: {
        const std::string text(x.u.scan_func_params.bufPC, x.u.scan_func_params.bytes_to_scanLu);
        {
            std::lock_guard lock(mutex());
            e.scanned.push_back(text);
        }
        int thousandths = 0;
        if (text.rfind("x=", 0) != 0 ||
            std::from_chars(text.data() + 2, text.data() + text.size(), thousandths).ec != std::errc())
            return PF_Err_CANNOT_PARSE_KEYFRAME_TEXT;
        *x.u.scan_func_params.arbPH = newArb(in, thousandths / 1000.0);
        return PF_Err_NONE;
    }
    default: return PF_Err_NONE;
    }
}

PF_Err paramsSetup(PF_InData *in, PF_OutData *out) {
    Effect &e = gEffect;
    A_long accepted = 1;
    for (PF_ParamDef d : e.defs) {
        if (d.param_type == PF_Param_ARBITRARY_DATA && !e.arbNullDefault)
            d.u.arb_d.dephault = newArb(in, e.arbDefault);
        const PF_Err r = in->inter.add_param(in->effect_ref, -1, &d);
        e.addResults.push_back(r);
        if (r == PF_Err_NONE)
            ++accepted;
        else if (d.param_type == PF_Param_ARBITRARY_DATA && d.u.arb_d.dephault)
            in->utils->host_dispose_handle(d.u.arb_d.dephault); // refused: still ours
    }
    if (e.registerUi)
        e.registerUiResult = in->inter.register_ui(in->effect_ref, &e.ui);
    out->num_params = e.numParams >= 0 ? e.numParams : accepted;
    return PF_Err_NONE;
}

PF_Err sequence(PF_Cmd cmd, PF_InData *in, PF_OutData *out) {
    A_long rec[2] = {};
    switch (cmd) {
    case PF_Cmd_SEQUENCE_SETUP:
        rec[0] = kSeqMagic;
        rec[1] = 7;
        out->sequence_data = newHandle(in, rec, sizeof rec);
        return PF_Err_NONE;
    case PF_Cmd_SEQUENCE_FLATTEN:
    case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA: {
        std::memcpy(rec, in->utils->host_lock_handle(in->sequence_data), sizeof rec);
        in->utils->host_unlock_handle(in->sequence_data);
        const A_long flat[2] = {rec[1], kFlatMagic};
        out->sequence_data = newHandle(in, flat, sizeof flat);
        if (cmd == PF_Cmd_SEQUENCE_FLATTEN)
            in->utils->host_dispose_handle(in->sequence_data);
        return PF_Err_NONE;
    }
    case PF_Cmd_SEQUENCE_RESETUP: {
        // Leaves the flat handle to the host, as the glow effect does.
        ++gEffect.resetups;
        A_long flat[2] = {};
        std::memcpy(flat, in->utils->host_lock_handle(in->sequence_data), sizeof flat);
        in->utils->host_unlock_handle(in->sequence_data);
        rec[0] = kSeqMagic;
        // Flat data, or the record itself when the host kept it unflattened.
        rec[1] = flat[1] == kFlatMagic ? flat[0] : flat[0] == kSeqMagic ? flat[1] : -1;
        out->sequence_data = newHandle(in, rec, sizeof rec);
        return PF_Err_NONE;
    }
    case PF_Cmd_SEQUENCE_SETDOWN:
        if (in->sequence_data)
            in->utils->host_dispose_handle(in->sequence_data);
        return PF_Err_NONE;
    default: return PF_Err_NONE;
    }
}

} // namespace

Effect &effect() { return gEffect; }

std::mutex &mutex() {
    static std::mutex m;
    return m;
}

void reset() {
    std::lock_guard lock(mutex());
    gEffect = Effect{};
}

PF_Err entry(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *, void *extra) {
    Effect &e = gEffect;
    {
        // Only the records are guarded: a lock held across calls into the host would order
        // itself against the host's own locks.
        std::lock_guard lock(mutex());
        e.commands.push_back(cmd);
        e.arrayGiven.push_back(params != nullptr);
    }
    PF_Err result = PF_Err_NONE;
    if (e.hook && e.hook(cmd, in, out, params, extra, &result))
        return result;
    switch (cmd) {
    case PF_Cmd_GLOBAL_SETUP:
        out->my_version = 1;
        out->out_flags = e.outFlags;
        out->out_flags2 = e.outFlags2;
        return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP: return paramsSetup(in, out);
    case PF_Cmd_ARBITRARY_CALLBACK: return arbitrary(in, *static_cast<PF_ArbParamsExtra *>(extra));
    default: return sequence(cmd, in, out);
    }
}

PF_Err during(embedhost::Host &host, PF_Cmd cmd, const Body &body, void *extra) {
    auto previous = gEffect.hook;
    gEffect.hook = [&](PF_Cmd c, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], void *x, PF_Err *result) {
        if (c != cmd)
            return previous ? previous(c, in, out, params, x, result) : false;
        body(in, out, params, x);
        *result = PF_Err_NONE;
        return true;
    };
    const PF_Err err = host.command(cmd, nullptr, extra).err;
    gEffect.hook = previous;
    return err;
}

double arbValue(PF_Handle h) {
    embedhost::HandleStore &handles = embedhost::Host::current()->handles();
    ArbRecord r{};
    std::memcpy(&r, handles.lock(h), sizeof r);
    handles.unlock(h);
    return r.x;
}

namespace {

PF_ParamDef base(PF_ParamType type, const char *name, A_long id) {
    PF_ParamDef d;
    std::memset(&d, 0, sizeof d);
    d.param_type = type;
    d.uu.id = id;
    std::snprintf(d.name, sizeof d.name, "%s", name);
    return d;
}

} // namespace

PF_ParamDef floatSlider(const char *name, A_long id, float validMin, float validMax, float sliderMin, float sliderMax,
                        float dflt) {
    PF_ParamDef d = base(PF_Param_FLOAT_SLIDER, name, id);
    d.u.fs_d.valid_min = validMin;
    d.u.fs_d.valid_max = validMax;
    d.u.fs_d.slider_min = sliderMin;
    d.u.fs_d.slider_max = sliderMax;
    d.u.fs_d.dephault = dflt;
    d.u.fs_d.value = dflt;
    d.u.fs_d.precision = 1;
    return d;
}

PF_ParamDef popup(const char *name, A_long id, const char *choices, A_short count, A_short dflt) {
    PF_ParamDef d = base(PF_Param_POPUP, name, id);
    d.u.pd.u.namesptr = choices;
    d.u.pd.num_choices = count;
    d.u.pd.dephault = dflt;
    d.u.pd.value = dflt;
    return d;
}

PF_ParamDef checkbox(const char *name, A_long id, const char *label, bool dflt) {
    PF_ParamDef d = base(PF_Param_CHECKBOX, name, id);
    d.u.bd.u.nameptr = label;
    d.u.bd.dephault = dflt;
    d.u.bd.value = dflt;
    return d;
}

PF_ParamDef color(const char *name, A_long id, PF_Pixel dflt) {
    PF_ParamDef d = base(PF_Param_COLOR, name, id);
    d.u.cd.dephault = dflt;
    d.u.cd.value = dflt;
    return d;
}

PF_ParamDef layer(const char *name, A_long id) {
    PF_ParamDef d = base(PF_Param_LAYER, name, id);
    d.u.ld.dephault = PF_LayerDefault_NONE;
    return d;
}

PF_ParamDef arbitrary(const char *name, A_long id) {
    PF_ParamDef d = base(PF_Param_ARBITRARY_DATA, name, id);
    d.ui_flags = PF_PUI_CONTROL;
    d.u.arb_d.id = 7;
    d.u.arb_d.refconPV = kArbRefcon;
    return d;
}

PF_ParamDef groupStart(const char *name, A_long id) { return base(PF_Param_GROUP_START, name, id); }
PF_ParamDef groupEnd(A_long id) { return base(PF_Param_GROUP_END, "", id); }

} // namespace fake
