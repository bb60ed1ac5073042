#include "host/kit/PreRenderOutput.h"

#include <algorithm>
#include <atomic>

#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

// The delete callback receives only the handle, so the basic suite it disposes through is
// remembered from the pre-render that made it (the host's basic suite lives as long as the host).
std::atomic<SPBasicSuite *> g_pre_render_basic{nullptr};

void disposePreRenderHandle(void *pre_render_data) {
    SPBasicSuite *basic = g_pre_render_basic.load();
    if (!pre_render_data || !basic)
        return;
    try {
        SuiteCache suites(basic);
        suites.handleSuite()->host_dispose_handle(static_cast<PF_Handle>(pre_render_data));
    } catch (...) {
        // A host without its handle suite keeps the handle; nothing safe is left to do.
    }
}

bool isEmpty(const PF_LRect &r) noexcept { return r.left >= r.right || r.top >= r.bottom; }

} // namespace

void attachPreRenderHandle(PF_InData *in_data, PF_PreRenderOutput *output, PF_Handle handle) noexcept {
    g_pre_render_basic.store(in_data->pica_basicP);
    output->pre_render_data = handle;
    output->delete_pre_render_data_func = &disposePreRenderHandle;
}

void unionRect(PF_LRect &into, const PF_LRect &other) noexcept {
    if (isEmpty(into)) {
        into = other;
        return;
    }
    if (isEmpty(other))
        return;
    into.left = std::min(into.left, other.left);
    into.top = std::min(into.top, other.top);
    into.right = std::max(into.right, other.right);
    into.bottom = std::max(into.bottom, other.bottom);
}

} // namespace AEUtil
