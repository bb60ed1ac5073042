#include "params/ParamAddArbitrary.h"

namespace AEUtil {

ParamAddArbitrary::ParamAddArbitrary(const char *name, const PF_ParamDef &templ, A_short uiWidth, A_short uiHeight,
                                     PF_ParamUIFlags uiFlags, void *refcon, PF_Handle defaultHandle)
    : BaseParam(0, 0, name, templ), ui_width_(uiWidth), ui_height_(uiHeight), ui_flags_(uiFlags), refcon_(refcon),
      default_handle_(defaultHandle) {
    // A custom control has no twirly of its own.
    def_.flags &= ~PF_ParamFlag_COLLAPSE_TWIRLY;
}

ParamAddArbitrary::~ParamAddArbitrary() = default;

PF_Err ParamAddArbitrary::registerParam(PF_InData *in_data, A_long id, const char *) {
    prepareDefinition(in_data, id, PF_Param_ARBITRARY_DATA);
    def_.ui_width = ui_width_;
    def_.ui_height = ui_height_;
    def_.ui_flags = ui_flags_;
    def_.u.arb_d.id = static_cast<A_short>(id);
    def_.u.arb_d.dephault = default_handle_;
    def_.u.arb_d.value = nullptr;
    def_.u.arb_d.refconPV = refcon_;
    return addToHost(in_data);
}

} // namespace AEUtil
