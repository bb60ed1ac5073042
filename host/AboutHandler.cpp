// PF_Cmd_ABOUT: the effect's name, version and notice in the host's About box.
#include <cstddef>

#include "AE_EffectCB.h"
#include "host/BaseFilter.h"
#include "host/kit/HostLanguage.h"
#include "platform/KeyState.h"
#include "resources/LumoraVersion.h"

namespace AEUtil {

namespace {

constexpr const char *kStageWord = "Release";

// The host's sprintf writes unbounded into the 256-byte return_msg: the longest text must fit.
constexpr std::size_t kLongestAbout = sizeof("Lumora 1.1.1 Release build:13\r\r") - 1;
static_assert(kLongestAbout + sizeof kAboutNoticeText <= PF_MAX_EFFECT_MSG_LEN + 1);

} // namespace

PF_Err BaseFilter::about(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *[], PF_LayerDef *) {
    const int language = hostLanguage(in_data);
    const bool shift = lumora::platform::shiftKeyHeld();
    const char *name = lookupText(kTextEffectName, language);
    const char *notice = lookupText(kTextAboutNotice, language);
    using namespace lumora::version;
    if (shift) {
        in_data->utils->ansi.sprintf(out_data->return_msg, "%s %d.%d.%d %s build:%d\r\r%s", name,
                                     static_cast<int>(kMajor), static_cast<int>(kMinor), static_cast<int>(kRevision),
                                     kStageWord, static_cast<int>(kBuild), notice);
    } else {
        in_data->utils->ansi.sprintf(out_data->return_msg, "%s %d.%d.%d %s\r\r%s", name, static_cast<int>(kMajor),
                                     static_cast<int>(kMinor), static_cast<int>(kRevision), kStageWord, notice);
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
