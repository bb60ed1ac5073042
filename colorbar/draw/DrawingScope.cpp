#include "colorbar/draw/DrawingScope.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "host/kit/SuiteCache.h"

namespace AEUtil {

DrawingScope::DrawingScope(SuiteCache &suites, PF_ContextH context)
    : supplierSuite_(suites.supplierSuite()), surfaceSuite_(suites.surfaceSuite()), pathSuite_(suites.pathSuite()) {
    DRAWBOT_DrawRef draw = nullptr;
    drawbotCheck(suites.customUISuite()->PF_GetDrawingReference(context, &draw));
    if (!draw)
        throw static_cast<PF_Err>(PF_Err_BAD_CALLBACK_PARAM);
    const DRAWBOT_DrawbotSuite1 *drawSuite = suites.drawSuite();
    drawbotCheck(drawSuite->GetSupplier(draw, &supplier_));
    drawbotCheck(drawSuite->GetSurface(draw, &surface_));
}

void DrawingScope::fill(const DRAWBOT_PathP &p, const DRAWBOT_ColorRGBA &color) const {
    const DRAWBOT_BrushP b = brush(color);
    drawbotCheck(surfaceSuite_->FillPath(surface_, b.get(), p.get(), kDRAWBOT_FillType_Winding));
}

void DrawingScope::stroke(const DRAWBOT_PathP &p, const DRAWBOT_ColorRGBA &color) const {
    const DRAWBOT_PenP q = pen(color);
    drawbotCheck(surfaceSuite_->StrokePath(surface_, q.get(), p.get()));
}

std::u16string toUtf16(const char *text) {
    std::u16string out;
    if (!text)
        return out;
    std::mbstate_t state{};
    const char *p = text;
    const char *end = text + std::strlen(text);
    while (p < end) {
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, p, static_cast<std::size_t>(end - p), &state);
        if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2) || n == 0) {
            out.push_back(static_cast<unsigned char>(*p++));
            state = std::mbstate_t{};
            continue;
        }
        p += n;
        const char32_t c = static_cast<char32_t>(wc);
        if (sizeof(wchar_t) == 4 && c > 0xFFFF) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

} // namespace AEUtil
