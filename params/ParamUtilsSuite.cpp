#include "params/ParamUtilsSuite.h"

#include "host/kit/AEException.h"

namespace AEUtil {

A_long hostReleaseNumber(PF_SpecVersion version) noexcept {
    const int major = version.major;
    const int minor = version.minor;
    if (major < 12 || (major == 12 && minor <= 10))
        return 0;
    if (major == 12) {
        switch (minor) {
        case 11: return 65;
        case 12: return 70;
        case 13: return 80;
        case 14: return 90;
        default: return 9999;
        }
    }
    if (major == 13) {
        switch (minor) {
        case 0: return 100;
        case 1: return 105;
        case 2: return 110;
        default: return 9999;
        }
    }
    return 9999;
}

int32_t paramUtilsSuiteVersion(PF_SpecVersion version) noexcept {
    return hostReleaseNumber(version) < 110 ? kPFParamUtilsSuiteVersion1 : kPFParamUtilsSuiteVersion3;
}

ParamUtilsSuite::ParamUtilsSuite(PF_InData *in_data, SuiteCache &suites) {
    const bool wantsOld = paramUtilsSuiteVersion(in_data->version) == kPFParamUtilsSuiteVersion1;
    const SuiteId first = wantsOld ? SuiteId::ParamUtils2 : SuiteId::ParamUtils3;
    const SuiteId second = wantsOld ? SuiteId::ParamUtils3 : SuiteId::ParamUtils2;
    for (SuiteId id : {first, second}) {
        const void *table = suites.tryAcquire(id);
        if (table == nullptr)
            continue;
        if (id == SuiteId::ParamUtils3) {
            const auto *s = static_cast<const PF_ParamUtilsSuite3 *>(table);
            update_param_ui_ = s->PF_UpdateParamUI;
            version_ = kPFParamUtilsSuiteVersion3;
        } else {
            const auto *s = static_cast<const PF_ParamUtilsSuite1 *>(table);
            update_param_ui_ = s->PF_UpdateParamUI;
            version_ = kPFParamUtilsSuiteVersion1;
        }
        return;
    }
    AE_THROW(PF_Err_BAD_CALLBACK_PARAM, "\"%s\" version %d or %d is not available", kPFParamUtilsSuite,
             static_cast<int>(kPFParamUtilsSuiteVersion1), static_cast<int>(kPFParamUtilsSuiteVersion3));
}

} // namespace AEUtil
