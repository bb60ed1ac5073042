#include "embedhost/UtilCallbacks.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "embedhost/FunctionSlot.h"
#include "embedhost/HandleStore.h"
#include "embedhost/CurrentHost.h"
#include "embedhost/CustomUi.h"
#include "embedhost/Plugin.h"
#include "embedhost/ThreadPool.h"
#include "embedhost/WorldStore.h"

namespace embedhost {

namespace {

PF_Err notOffered(void) { return PF_Err_INVALID_CALLBACK; }

int ansiSprintf(A_char *dst, const A_char *format, ...) {
    va_list args;
    va_start(args, format);
    const int n = std::vsprintf(dst, format, args);
    va_end(args);
    return n;
}

A_char *ansiStrcpy(A_char *dst, const A_char *src) { return std::strcpy(dst, src); }

A_FpLong ansiAtan(A_FpLong x) { return std::atan(x); }
A_FpLong ansiAtan2(A_FpLong y, A_FpLong x) { return std::atan2(y, x); }
A_FpLong ansiCeil(A_FpLong x) { return std::ceil(x); }
A_FpLong ansiCos(A_FpLong x) { return std::cos(x); }
A_FpLong ansiExp(A_FpLong x) { return std::exp(x); }
A_FpLong ansiFabs(A_FpLong x) { return std::fabs(x); }
A_FpLong ansiFloor(A_FpLong x) { return std::floor(x); }
A_FpLong ansiFmod(A_FpLong x, A_FpLong y) { return std::fmod(x, y); }
A_FpLong ansiHypot(A_FpLong x, A_FpLong y) { return std::hypot(x, y); }
A_FpLong ansiLog(A_FpLong x) { return std::log(x); }
A_FpLong ansiLog10(A_FpLong x) { return std::log10(x); }
A_FpLong ansiPow(A_FpLong x, A_FpLong y) { return std::pow(x, y); }
A_FpLong ansiSin(A_FpLong x) { return std::sin(x); }
A_FpLong ansiSqrt(A_FpLong x) { return std::sqrt(x); }
A_FpLong ansiTan(A_FpLong x) { return std::tan(x); }
A_FpLong ansiAsin(A_FpLong x) { return std::asin(x); }
A_FpLong ansiAcos(A_FpLong x) { return std::acos(x); }

PF_Err iterateGeneric(A_long iterations, void *refcon, PF_Err (*fn)(void *, A_long, A_long, A_long)) {
    ThreadPool *threads = current::threads();
    return threads ? threads->iterate(iterations, refcon, fn) : PF_Err_BAD_CALLBACK_PARAM;
}

// On Windows this host has no window of its own; elsewhere the panel handling the current event
// hands out its PortableWindow (EffectPanel.h), and outside a panel's event there is none.
void *mainWindow() {
#ifdef _WIN32
    return nullptr;
#else
    CustomUi *ui = current::customUi();
    PanelLink *panel = ui ? ui->active() : nullptr;
    return panel ? panel->mainWindow() : nullptr;
#endif
}

PF_Err getPlatformData(PF_ProgPtr ref, PF_PlatDataID which, void *data) {
    if (!current::isEffect(ref) || !data)
        return PF_Err_BAD_CALLBACK_PARAM;
    switch (which) {
    case PF_PlatData_MAIN_WND: *static_cast<void **>(data) = mainWindow(); return PF_Err_NONE;
    case PF_PlatData_RES_DLLINSTANCE: {
        const Plugin *plugin = current::pluginOf(ref);
        *static_cast<void **>(data) = plugin ? plugin->moduleHandle() : nullptr;
        return PF_Err_NONE;
    }
    default: return PF_Err_BAD_CALLBACK_PARAM;
    }
}

} // namespace

PF_UtilCallbacks makeUtilCallbacks() {
    PF_UtilCallbacks u{};
    fillSlots(notOffered, u.begin_sampling, u.subpixel_sample, u.area_sample, u.end_sampling, u.composite_rect, u.blend,
              u.convolve, u.fill, u.gaussian_kernel, u.iterate, u.premultiply, u.premultiply_color, u.iterate_origin,
              u.iterate_lut, u.transfer_rect, u.transform_world, u.get_callback_addr, u.app, u.colorCB.RGBtoHLS,
              u.colorCB.HLStoRGB, u.colorCB.RGBtoYIQ, u.colorCB.YIQtoRGB, u.colorCB.Luminance, u.colorCB.Hue,
              u.colorCB.Lightness, u.colorCB.Saturation, u.iterate_origin_non_clip_src, u.subpixel_sample16,
              u.area_sample16, u.fill16, u.premultiply_color16, u.iterate16, u.iterate_origin16,
              u.iterate_origin_non_clip_src16, u.get_pixel_data8, u.get_pixel_data16);

    HandleStore::fillUtilCallbacks(u);
    WorldStore::fillUtilCallbacks(u);
    u.iterate_generic = iterateGeneric;
    u.get_platform_data = getPlatformData;

    PF_ANSICallbacks &a = u.ansi;
    a.atan = ansiAtan;
    a.atan2 = ansiAtan2;
    a.ceil = ansiCeil;
    a.cos = ansiCos;
    a.exp = ansiExp;
    a.fabs = ansiFabs;
    a.floor = ansiFloor;
    a.fmod = ansiFmod;
    a.hypot = ansiHypot;
    a.log = ansiLog;
    a.log10 = ansiLog10;
    a.pow = ansiPow;
    a.sin = ansiSin;
    a.sqrt = ansiSqrt;
    a.tan = ansiTan;
    a.sprintf = ansiSprintf;
    a.strcpy = ansiStrcpy;
    a.asin = ansiAsin;
    a.acos = ansiAcos;
    return u;
}

} // namespace embedhost
