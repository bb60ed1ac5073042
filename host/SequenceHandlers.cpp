// Sequence-data commands: the default record at set-up, its flat form for saving, and reading
// a saved form back, falling back to defaults for anything unrecognised.
#include <cstring>
#include <vector>

#include "host/BaseFilter.h"
#include "host/kit/HandleLock.h"
#include "host/SequenceData.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

// A new handle holding `bytes`; PF_Err_OUT_OF_MEMORY or PF_Err_INTERNAL_STRUCT_DAMAGED (the
// handle is disposed then) on failure.
PF_Err newHandleWith(const PF_HandleSuite1 *hs, const void *bytes, std::size_t size, PF_Handle &out) {
    PF_Handle h = hs->host_new_handle(size);
    if (!h)
        return PF_Err_OUT_OF_MEMORY;
    void *p = hs->host_lock_handle(h);
    if (!p) {
        hs->host_dispose_handle(h);
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    std::memcpy(p, bytes, size);
    hs->host_unlock_handle(h);
    out = h;
    return PF_Err_NONE;
}

PF_Err flattenInto(PF_InData *in_data, PF_OutData *out_data, bool disposeSource) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    PF_Handle source = in_data->sequence_data;
    PF_Handle flat = nullptr;
    {
        HandleLock lock(hs, source);
        // A handle shorter than the record is not ours: reading it would run past its end.
        if (!lock.data() || hs->host_get_handle_size(source) < kSequenceSize)
            return PF_Err_INTERNAL_STRUCT_DAMAGED;
        SequenceRecord record;
        std::memcpy(&record, lock.data(), sizeof record);
        const auto bytes = flattenSequence(record);
        if (PF_Err err = newHandleWith(hs, bytes.data(), bytes.size(), flat); err != PF_Err_NONE)
            return err;
    }
    out_data->sequence_data = flat;
    if (disposeSource)
        hs->host_dispose_handle(source);
    return PF_Err_NONE;
}

} // namespace

PF_Err BaseFilter::sequenceSetup(PF_InData *in_data, PF_OutData *out_data) {
    SuiteCache suites(in_data->pica_basicP);
    const SequenceRecord record = defaultSequenceRecord();
    PF_Handle h = nullptr;
    PF_Err err = newHandleWith(suites.handleSuite(), &record, sizeof record, h);
    if (err == PF_Err_NONE)
        out_data->sequence_data = h;
    return err;
}

PF_Err BaseFilter::sequenceSetdown(PF_InData *in_data, PF_OutData *) {
    if (in_data->sequence_data) {
        SuiteCache suites(in_data->pica_basicP);
        suites.handleSuite()->host_dispose_handle(in_data->sequence_data);
    }
    return PF_Err_NONE;
}

PF_Err BaseFilter::sequenceFlatten(PF_InData *in_data, PF_OutData *out_data) {
    return flattenInto(in_data, out_data, true);
}

PF_Err BaseFilter::getFlattenedSequenceData(PF_InData *in_data, PF_OutData *out_data) {
    return flattenInto(in_data, out_data, false);
}

PF_Err BaseFilter::sequenceResetup(PF_InData *in_data, PF_OutData *out_data) {
    SuiteCache suites(in_data->pica_basicP);
    const PF_HandleSuite1 *hs = suites.handleSuite();
    PF_Handle flat = in_data->sequence_data;
    HandleLock flatLock(hs, flat);
    if (!flatLock.data())
        return resetupFallback(in_data, out_data);
    const std::size_t flatSize = static_cast<std::size_t>(hs->host_get_handle_size(flat));
    uint32_t firstWord = 0;
    if (flatSize >= kFlatSequenceSize)
        std::memcpy(&firstWord, flatLock.data(), sizeof firstWord);
    if (flatSize < kFlatSequenceSize || firstWord != kSequenceMagic)
        return resetupFallback(in_data, out_data);

    if (PF_Err err = sequenceSetup(in_data, out_data); err != PF_Err_NONE)
        return err;
    HandleLock freshLock(hs, out_data->sequence_data);
    if (!freshLock.data())
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    const auto *bytes = static_cast<const uint8_t *>(flatLock.data());
    const std::vector<uint8_t> copy(bytes, bytes + flatSize);
    const SequenceRecord record = unflattenSequence(copy.data(), copy.size());
    std::memcpy(freshLock.data(), &record, sizeof record);
    return PF_Err_NONE;
}

} // namespace AEUtil
