#include "colorbar/draw/DrawbotObjects.h"

namespace AEUtil {

DRAWBOT_BrushP::DRAWBOT_BrushP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier,
                               const DRAWBOT_ColorRGBA &color)
    : SharedRefImpl(suite) {
    DRAWBOT_BrushRef ref = nullptr;
    drawbotCheck(suite->NewBrush(supplier, &color, &ref));
    reset(ref);
}

DRAWBOT_PenP::DRAWBOT_PenP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier,
                           const DRAWBOT_ColorRGBA &color)
    : SharedRefImpl(suite) {
    DRAWBOT_PenRef ref = nullptr;
    drawbotCheck(suite->NewPen(supplier, &color, 1.0f, &ref));
    reset(ref);
}

DRAWBOT_PathP::DRAWBOT_PathP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier) : SharedRefImpl(suite) {
    DRAWBOT_PathRef ref = nullptr;
    drawbotCheck(suite->NewPath(supplier, &ref));
    reset(ref);
}

DRAWBOT_FontP::DRAWBOT_FontP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier) : SharedRefImpl(suite) {
    drawbotCheck(suite->GetDefaultFontSize(supplier, &size_));
    DRAWBOT_FontRef ref = nullptr;
    drawbotCheck(suite->NewDefaultFont(supplier, size_, &ref));
    reset(ref);
}

DRAWBOT_ImageP::DRAWBOT_ImageP(const DRAWBOT_SupplierSuite1 *suite, DRAWBOT_SupplierRef supplier, int width, int height,
                               int rowBytes, const void *pixels)
    : SharedRefImpl(suite) {
    DRAWBOT_ImageRef ref = nullptr;
    drawbotCheck(
        suite->NewImageFromBuffer(supplier, width, height, rowBytes, kDRAWBOT_PixelLayout_32BGR, pixels, &ref));
    reset(ref);
}

} // namespace AEUtil
