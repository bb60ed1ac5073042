// The built module in the embedded host, set up and ready to render frames of a small layer.
#pragma once

#include <memory>

#include "embedhost/Host.h"
#include "embedhost/Layers.h"
#include "params/GlowParams.h"

namespace glowframe {

using embedhost::Image;
using embedhost::ParamValue;

// An 8 bpc layer: opaque mid grey with an opaque white block in the middle third.
inline Image greyWithWhiteBlock(A_long w, A_long h) {
    Image img = Image::make(w, h, PF_PixelFormat_ARGB32);
    for (A_long y = 0; y < h; ++y)
        for (A_long x = 0; x < w; ++x) {
            const bool block = x >= w / 3 && x < 2 * w / 3 && y >= h / 3 && y < 2 * h / 3;
            const A_u_char c = block ? 255 : 90;
            img.row<PF_Pixel8>(y)[x] = {255, c, A_u_char(block ? 255 : 60), A_u_char(block ? 255 : 30)};
        }
    return img;
}

inline Image atDepth(const Image &img, PF_PixelFormat format) {
    return format == img.format ? img : embedhost::convertImage(img, format);
}

class GlowHost {
public:
    explicit GlowHost(unsigned threads = 0) : GlowHost(profile(threads)) {}
    explicit GlowHost(const embedhost::HostProfile &p) : host_(module(), p) {
        const auto r = host_.setUp();
        ok_ = r.err == PF_Err_NONE;
    }
    ~GlowHost() { host_.tearDown(); }

    bool ok() const { return ok_; }
    embedhost::Host &host() { return host_; }
    void set(A_long id, const ParamValue &v) { host_.params().setValueById(id, v); }
    // Threshold 50 over a white block, a small radius, Extract unless told otherwise.
    void glowSettings(A_long glowType, A_long view = 3) {
        set(AEUtil::kIdGlowType, ParamValue::popup(glowType));
        set(AEUtil::kIdView, ParamValue::popup(view));
        set(AEUtil::kIdThreshold, ParamValue::floatSlider(50.0));
        set(AEUtil::kIdThresholdSoft, ParamValue::floatSlider(10.0));
        set(AEUtil::kIdGlowRadius, ParamValue::floatSlider(4.0));
        set(AEUtil::kIdGlowIntensity, ParamValue::floatSlider(2.0));
        set(AEUtil::kIdOpacity, ParamValue::floatSlider(100.0));
        set(AEUtil::kIdBlendMode, ParamValue::popup(1));
    }

private:
    static std::shared_ptr<embedhost::Plugin> module() {
        static std::shared_ptr<embedhost::Plugin> m =
            std::make_shared<embedhost::Plugin>(embedhost::Plugin::load(LUMORA_MODULE_PATH));
        return m;
    }

public:
    static embedhost::HostProfile profile(unsigned threads) {
        embedhost::HostProfile p;
        p.workerThreads = threads;
        return p;
    }

private:
    embedhost::Host host_;
    bool ok_ = false;
};

} // namespace glowframe
