#include "options/OptionsDialog.h"

namespace AEUtil {

void runOptionsDialog(PF_InData *, PF_ParamDef *[]) {
    // The dialog arrives with the settings file; the command already yields 0 whatever happens here.
}

} // namespace AEUtil
