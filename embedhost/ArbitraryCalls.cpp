#include "embedhost/ArbitraryCalls.h"

#include <cstring>

#include "embedhost/Host.h"

namespace embedhost {

PF_ArbParamsExtra ArbitraryCalls::extraFor(const ArbType &type, PF_FunctionSelector which) {
    PF_ArbParamsExtra extra;
    std::memset(&extra, 0, sizeof extra);
    extra.which_function = which;
    extra.id = type.id;
    // Every selector's record starts with the refcon; the callers fill the rest of theirs.
    extra.u.new_func_params.refconPV = type.refcon;
    return extra;
}

PF_Err ArbitraryCalls::call(PF_ArbParamsExtra &extra) {
    {
        std::lock_guard lock(mutex_);
        if (extra.which_function >= 0 && extra.which_function <= PF_Arbitrary_SCAN_FUNC)
            ++calls_[static_cast<std::size_t>(extra.which_function)];
    }
    return host_.send(PF_Cmd_ARBITRARY_CALLBACK, nullptr, nullptr, &extra).err;
}

PF_Err ArbitraryCalls::produce(PF_ArbParamsExtra &extra, PF_Handle *slot, PF_Handle *out) {
    *out = nullptr;
    *slot = nullptr;
    const PF_Err err = call(extra);
    PF_Handle made = *slot;
    if (err != PF_Err_NONE) {
        if (made) {
            {
                std::lock_guard lock(mutex_);
                ++returnedWithErrors_;
            }
            adopt(made);
            dispose(ArbType{extra.id, extra.u.new_func_params.refconPV}, made);
        }
        return err;
    }
    if (!made)
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    adopt(made);
    *out = made;
    return PF_Err_NONE;
}

PF_Err ArbitraryCalls::makeNew(const ArbType &type, PF_Handle *out) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_NEW_FUNC);
    PF_Handle slot = nullptr;
    extra.u.new_func_params.arbPH = &slot;
    return produce(extra, &slot, out);
}

PF_Err ArbitraryCalls::copy(const ArbType &type, PF_Handle src, PF_Handle *out) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_COPY_FUNC);
    PF_Handle slot = nullptr;
    extra.u.copy_func_params.src_arbH = src;
    extra.u.copy_func_params.dst_arbPH = &slot;
    return produce(extra, &slot, out);
}

PF_Err ArbitraryCalls::unflatten(const ArbType &type, const std::vector<std::uint8_t> &flat, PF_Handle *out) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_UNFLATTEN_FUNC);
    PF_Handle slot = nullptr;
    extra.u.unflatten_func_params.buf_sizeLu = static_cast<A_u_long>(flat.size());
    extra.u.unflatten_func_params.flat_dataPV = flat.data();
    extra.u.unflatten_func_params.arbPH = &slot;
    return produce(extra, &slot, out);
}

PF_Err ArbitraryCalls::interpolate(const ArbType &type, PF_Handle left, PF_Handle right, double t, PF_Handle *out) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_INTERP_FUNC);
    PF_Handle slot = nullptr;
    extra.u.interp_func_params.left_arbH = left;
    extra.u.interp_func_params.right_arbH = right;
    extra.u.interp_func_params.tF = t;
    extra.u.interp_func_params.interpPH = &slot;
    return produce(extra, &slot, out);
}

PF_Err ArbitraryCalls::scan(const ArbType &type, const std::string &text, PF_Handle *out) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_SCAN_FUNC);
    PF_Handle slot = nullptr;
    // The text keeps its terminating NUL in the buffer but the count does not include it.
    extra.u.scan_func_params.bufPC = text.c_str();
    extra.u.scan_func_params.bytes_to_scanLu = static_cast<A_u_long>(text.size());
    extra.u.scan_func_params.arbPH = &slot;
    return produce(extra, &slot, out);
}

PF_Err ArbitraryCalls::dispose(const ArbType &type, PF_Handle handle) {
    if (!handle)
        return PF_Err_NONE;
    {
        std::lock_guard lock(mutex_);
        held_.erase(handle);
    }
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_DISPOSE_FUNC);
    extra.u.dispose_func_params.arbH = handle;
    return call(extra);
}

PF_Err ArbitraryCalls::askSize(const ArbType &type, PF_FunctionSelector which, PF_Handle handle, A_u_long *size) {
    PF_ArbParamsExtra extra = extraFor(type, which);
    if (which == PF_Arbitrary_FLAT_SIZE_FUNC) {
        extra.u.flat_size_func_params.arbH = handle;
        extra.u.flat_size_func_params.flat_data_sizePLu = size;
    } else {
        extra.u.print_size_func_params.arbH = handle;
        extra.u.print_size_func_params.print_sizePLu = size;
    }
    return call(extra);
}

PF_Err ArbitraryCalls::flatten(const ArbType &type, PF_Handle handle, std::vector<std::uint8_t> *bytes) {
    bytes->clear();
    A_u_long size = 0;
    if (PF_Err err = askSize(type, PF_Arbitrary_FLAT_SIZE_FUNC, handle, &size))
        return err;
    std::vector<std::uint8_t> buffer(size);
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_FLATTEN_FUNC);
    extra.u.flatten_func_params.arbH = handle;
    extra.u.flatten_func_params.buf_sizeLu = size;
    extra.u.flatten_func_params.flat_dataPV = buffer.data();
    if (PF_Err err = call(extra))
        return err;
    *bytes = std::move(buffer);
    return PF_Err_NONE;
}

PF_Err ArbitraryCalls::compare(const ArbType &type, PF_Handle a, PF_Handle b, PF_ArbCompareResult *result) {
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_COMPARE_FUNC);
    extra.u.compare_func_params.a_arbH = a;
    extra.u.compare_func_params.b_arbH = b;
    extra.u.compare_func_params.compareP = result;
    return call(extra);
}

PF_Err ArbitraryCalls::print(const ArbType &type, PF_Handle handle, PF_ArbPrintFlags flags, std::string *text) {
    text->clear();
    A_u_long size = 0;
    if (PF_Err err = askSize(type, PF_Arbitrary_PRINT_SIZE_FUNC, handle, &size))
        return err;
    std::vector<A_char> buffer(size + 1, '\0'); // one more: a full buffer still ends in NUL
    PF_ArbParamsExtra extra = extraFor(type, PF_Arbitrary_PRINT_FUNC);
    extra.u.print_func_params.print_flags = flags;
    extra.u.print_func_params.arbH = handle;
    extra.u.print_func_params.print_sizeLu = size;
    extra.u.print_func_params.print_bufferPC = buffer.data();
    if (PF_Err err = call(extra))
        return err;
    text->assign(buffer.data(), strnlen(buffer.data(), size));
    return PF_Err_NONE;
}

void ArbitraryCalls::adopt(PF_Handle handle) {
    if (!handle)
        return;
    std::lock_guard lock(mutex_);
    held_.insert(handle);
}

bool ArbitraryCalls::holds(PF_Handle handle) const {
    std::lock_guard lock(mutex_);
    return held_.count(handle) != 0;
}

std::size_t ArbitraryCalls::held() const {
    std::lock_guard lock(mutex_);
    return held_.size();
}

long ArbitraryCalls::calls(PF_FunctionSelector which) const {
    std::lock_guard lock(mutex_);
    return which >= 0 && which <= PF_Arbitrary_SCAN_FUNC ? calls_[static_cast<std::size_t>(which)] : 0;
}

long ArbitraryCalls::handlesReturnedWithErrors() const {
    std::lock_guard lock(mutex_);
    return returnedWithErrors_;
}

} // namespace embedhost
