// The gradient value's arbitrary-data callbacks: the host creates, copies, stores,
// interpolates, compares, prints and scans the value only through these.
#include <algorithm>
#include <cstring>

#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientHandle.h"
#include "colorbar/GradientSampling.h"
#include "colorbar/NewGradientValue.h"
#include "colorbar/data/GradientText.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

// A size query's answer, into the host's out-parameter.
PF_Err answerSize(A_u_long *size, A_u_long value) {
    if (!size)
        return PF_Err_BAD_CALLBACK_PARAM;
    *size = value;
    return PF_Err_NONE;
}

} // namespace

PF_Err GradColorPresetUI::newFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    PF_Handle *out = extra->u.new_func_params.arbPH;
    if (!out)
        return PF_Err_BAD_CALLBACK_PARAM;
    return newDefaultValue(in_data, out);
}

PF_Err GradColorPresetUI::disposeFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    if (PF_Handle h = extra->u.dispose_func_params.arbH) {
        SuiteCache suites(in_data->pica_basicP);
        suites.handleSuite()->host_dispose_handle(h);
    }
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::copyFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    PF_Handle *out = extra->u.copy_func_params.dst_arbPH;
    if (!out)
        return PF_Err_BAD_CALLBACK_PARAM;
    NewGradientValue value(in_data);
    if (const PF_Err err = value.makeDefault(*this))
        return err;
    GradientData data;
    if (const PF_Err err = readGradient(value.handleSuite(), extra->u.copy_func_params.src_arbH, data))
        return err;
    return value.handOut(data, out);
}

PF_Err GradColorPresetUI::flatSizeFunc(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    return answerSize(extra->u.flat_size_func_params.flat_data_sizePLu, flatSize());
}

PF_Err GradColorPresetUI::flattenFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.flatten_func_params;
    if (p.buf_sizeLu != flatSize() || !p.flat_dataPV)
        return PF_Err_BAD_CALLBACK_PARAM;
    SuiteCache suites(in_data->pica_basicP);
    GradientData data;
    if (const PF_Err err = readGradient(suites.handleSuite(), p.arbH, data))
        return err;
    std::memcpy(p.flat_dataPV, &data, sizeof data);
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::unflattenFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.unflatten_func_params;
    if (p.buf_sizeLu != flatSize())
        return PF_Err_BAD_CALLBACK_PARAM;
    if (!p.flat_dataPV)
        return PF_Err_NONE;
    if (!p.arbPH)
        return PF_Err_BAD_CALLBACK_PARAM;
    NewGradientValue value(in_data);
    if (const PF_Err err = value.makeDefault(*this))
        return err;
    GradientData data;
    std::memcpy(&data, p.flat_dataPV, sizeof data);
    // Ids are made unique again whatever the stored list carried.
    const A_long n = usedFlagCount(data.current);
    for (A_long i = 0; i < n; ++i)
        data.current.flag[i].id = i;
    return value.handOut(data, p.arbPH);
}

PF_Err GradColorPresetUI::interpFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.interp_func_params;
    if (!p.interpPH)
        return PF_Err_BAD_CALLBACK_PARAM;
    NewGradientValue value(in_data);
    if (const PF_Err err = value.makeDefault(*this))
        return err;
    GradientData left, right;
    if (const PF_Err err = readGradient(value.handleSuite(), p.left_arbH, left))
        return err;
    if (const PF_Err err = readGradient(value.handleSuite(), p.right_arbH, right))
        return err;
    sortColorFlags(left.current);
    sortColorFlags(right.current);

    GradientData result;
    makeDefaultValue(result);
    const double t = p.tF;
    const A_long n = std::min(usedFlagCount(left.current), usedFlagCount(right.current));
    for (A_long i = 0; i < n; ++i) {
        const ColorFlag &l = left.current.flag[i];
        const ColorFlag &r = right.current.flag[i];
        auto mix = [t](A_u_char a, A_u_char b) { return truncateToByte(double(int(b) - int(a)) * t + double(a)); };
        ColorFlag &f = result.current.flag[i];
        f.alpha = mix(l.alpha, r.alpha);
        f.red = mix(l.red, r.red);
        f.green = mix(l.green, r.green);
        f.blue = mix(l.blue, r.blue);
        const float span = r.position - l.position;
        f.position = static_cast<float>(double(span) * t + double(l.position));
        f.id = i;
        f.reserved = 0;
    }
    result.current.count = n;
    result.current.flags = 0;
    return value.handOut(result, p.interpPH);
}

PF_Err GradColorPresetUI::compareFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.compare_func_params;
    if (!p.compareP)
        return PF_Err_BAD_CALLBACK_PARAM;
    *p.compareP = PF_ArbCompare_NOT_EQUAL;
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    GradientData a, b;
    if (const PF_Err err = readGradient(hs, p.a_arbH, a))
        return err;
    if (const PF_Err err = readGradient(hs, p.b_arbH, b))
        return err;
    if (std::strncmp(a.presetName, b.presetName, kGradientNameSize) != 0 || a.current.count != b.current.count)
        return PF_Err_NONE;
    const A_long n = usedFlagCount(a.current);
    for (A_long i = 0; i < n; ++i) {
        const ColorFlag &x = a.current.flag[i];
        const ColorFlag &y = b.current.flag[i];
        if (std::memcmp(&x, &y, 4) != 0 || x.position != y.position || x.id != y.id)
            return PF_Err_NONE;
    }
    *p.compareP = PF_ArbCompare_EQUAL;
    return PF_Err_NONE;
}

PF_Err GradColorPresetUI::printSizeFunc(PF_InData *, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    return answerSize(extra->u.print_size_func_params.print_sizePLu, printSize());
}

PF_Err GradColorPresetUI::printFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.print_func_params;
    if (p.print_sizeLu < printSize() || !p.print_bufferPC)
        return PF_Err_BAD_CALLBACK_PARAM;
    GradientData data;
    if (p.print_flags == PF_ArbPrint_NONE) {
        SuiteCache suites(in_data->pica_basicP);
        if (const PF_Err err = readGradient(suites.handleSuite(), p.arbH, data))
            return err;
    }
    return printGradientText(data, p.print_flags != PF_ArbPrint_NONE, p.print_bufferPC, p.print_sizeLu);
}

// A failed scan hands out no handle: the default it started from is disposed and the out
// handle set to null, so nothing is left for the host to keep or leak.
PF_Err GradColorPresetUI::scanFunc(PF_InData *in_data, PF_OutData *, PF_ParamDef *[], PF_ArbParamsExtra *extra) {
    const auto &p = extra->u.scan_func_params;
    if (!p.arbPH)
        return PF_Err_BAD_CALLBACK_PARAM;
    *p.arbPH = nullptr;
    NewGradientValue value(in_data);
    if (const PF_Err err = value.makeDefault(*this))
        return err;
    GradientData data;
    if (const PF_Err err = readGradient(value.handleSuite(), value.handle(), data))
        return err;
    if (p.bytes_to_scanLu < printSize() || !p.bufPC)
        return PF_Err_BAD_CALLBACK_PARAM;
    if (const PF_Err err = scanGradientText(p.bufPC, p.bytes_to_scanLu, data))
        return err;
    return value.handOut(data, p.arbPH);
}

} // namespace AEUtil
