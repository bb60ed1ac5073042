// The colour bar as the effect panel shows it: the top row, the gradient bar with its ticks,
// one marker per flag, and the rubber band.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "colorbar/ColorBarActions.h"
#include "colorbar/ColorBarGeometry.h"
#include "colorbar/GradColorPresetUI.h"
#include "colorbar/GradientHandle.h"
#include "colorbar/GradientSampling.h"
#include "colorbar/draw/DrawingScope.h"
#include "colorbar/draw/ThemePalette.h"
#include "host/kit/SuiteCache.h"

namespace AEUtil {

namespace {

// Palette entries (see ThemePalette): the top row by state, then the bar's parts.
constexpr int kRowNormal = 0, kRowPressed = 3, kRowHover = 6;
constexpr int kCapNormal = 23, kCapSelected = 24, kHaloHover = 25, kHaloSelected = 26;
constexpr int kBarFrame = 27, kRubberBand = 29, kTicks = 35;
enum class MarkerState { Normal, Hovered, Selected };

struct Painter {
    const DrawingScope &scope;
    const ThemeInputs &theme;
    DRAWBOT_ColorRGBA color(int index) const { return paletteColor(index, theme); }
};

A_u_char unitByte(float c) { return static_cast<A_u_char>(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); }

void drawText(const Painter &p, const DRAWBOT_FontP &font, const std::string &text, const PF_Rect &area, float x,
              DRAWBOT_TextAlignment align, const DRAWBOT_ColorRGBA &color) {
    const DrawingScope &s = p.scope;
    SurfaceState state(s);
    const DRAWBOT_Rect32 clip{area.left, area.top, area.right - area.left, area.bottom - area.top};
    drawbotCheck(s.surfaceSuite()->Clip(s.surface(), s.supplier(), &clip));
    const std::u16string wide = toUtf16(text.c_str());
    const float height = static_cast<float>(area.bottom - area.top);
    const DRAWBOT_PointF32 origin{x, (font.size() + height) / 2.0f + static_cast<float>(area.top) - 2.0f};
    const DRAWBOT_BrushP brush = s.brush(color);
    drawbotCheck(s.surfaceSuite()->DrawString(
        s.surface(), brush.get(), font.get(), reinterpret_cast<const DRAWBOT_UTF16Char *>(wide.c_str()), &origin, align,
        kDRAWBOT_TextTruncation_EndEllipsis, 0.95f * static_cast<float>(area.right - area.left)));
    state.end();
}

void drawTopRow(const Painter &p, const ColorBarGeometry &g, const ColorBarContext *c, const std::string &presetText) {
    const DrawingScope &s = p.scope;
    const DRAWBOT_FontP font = s.font();
    for (int i = 0; i < kTopRowAreas; ++i) {
        const PF_Rect r = g.area(i);
        const bool pressed = c && c->pressed[i];
        const int base = pressed ? kRowPressed : c && c->hoverButton == i ? kRowHover : kRowNormal;
        const DRAWBOT_PathP box = s.path();
        s.addRect(box, {r.left + 0.5f, r.top + 0.5f, static_cast<float>(r.right - r.left),
                        static_cast<float>(r.bottom - r.top)});
        s.fill(box, p.color(base));
        s.stroke(box, p.color(base + 1));
        const DRAWBOT_ColorRGBA text = p.color(base + 2);
        if (i == 0) {
            const PF_Rect inset{r.left + 4, r.top, r.right - 4, r.bottom};
            drawText(p, font, presetText, inset, static_cast<float>(inset.left), kDRAWBOT_TextAlignment_Left, text);
            const DRAWBOT_PathP arrow = s.path();
            s.moveTo(arrow, r.right - 13.0f, r.top + 9.0f);
            s.lineTo(arrow, r.right - 5.0f, r.top + 9.0f);
            s.lineTo(arrow, r.right - 9.0f, r.bottom - 9.0f);
            s.close(arrow);
            s.fill(arrow, text);
        } else {
            drawText(p, font, i == 1 ? "Add" : "Delete", r, (r.left + r.right) / 2.0f, kDRAWBOT_TextAlignment_Center,
                     text);
        }
    }
}

void drawBar(const Painter &p, const ColorBarGeometry &g, const ColorFlagList &list) {
    const DrawingScope &s = p.scope;
    const A_long w = g.barWidth();
    std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
    rasterizeGradient(list, row.data(), w);
    // A frame of colour 27 around the bar's rows; the fourth byte is ignored by the layout.
    const A_long iw = w + 2, ih = kBarHeight + 2;
    const DRAWBOT_ColorRGBA f = p.color(kBarFrame);
    const std::uint32_t frame = unitByte(f.blue) | unitByte(f.green) << 8 | unitByte(f.red) << 16 | 0xFFu << 24;
    std::vector<std::uint32_t> image(static_cast<std::size_t>(iw) * ih, frame);
    for (A_long y = 1; y <= kBarHeight; ++y)
        std::copy(row.begin(), row.end(), image.begin() + y * iw + 1);
    const DRAWBOT_ImageP picture(s.supplierSuite(), s.supplier(), iw, ih, iw * 4, image.data());
    SurfaceState state(s);
    drawbotCheck(s.surfaceSuite()->SetInterpolationPolicy(s.surface(), kDRAWBOT_InterpolationPolicy_None));
    drawbotCheck(s.surfaceSuite()->SetAntiAliasPolicy(s.surface(), kDRAWBOT_AntiAliasPolicy_None));
    const DRAWBOT_PointF32 at{static_cast<float>(g.x0() - 1), static_cast<float>(g.frame().top + kBarTopOffset) - 1.2f};
    drawbotCheck(s.surfaceSuite()->DrawImage(s.surface(), picture.get(), &at, 1.0f));
    state.end();
}

void drawTicks(const Painter &p, const ColorBarGeometry &g) {
    const DrawingScope &s = p.scope;
    const DRAWBOT_PathP ticks = s.path();
    const float top = g.frame().top + 60.5f;
    for (int i = 0; i <= 8; ++i) {
        const float x = g.x0() + 0.5f + static_cast<float>(i) * static_cast<float>(g.barWidth() - 1) / 8.0f;
        s.moveTo(ticks, x, top);
        s.lineTo(ticks, x, top + (i == 4 ? 4.0f : 2.0f));
    }
    s.stroke(ticks, p.color(kTicks));
}

void drawMarker(const Painter &p, const ColorBarGeometry &g, const ColorFlag &flag, MarkerState state) {
    const DrawingScope &s = p.scope;
    const float cx = static_cast<float>(g.markerCentre(flag.position));
    const float left = cx - 5.0f, right = cx + 5.0f;
    const float top = g.frame().top + 66.0f, bottom = g.frame().top + 76.0f;
    SurfaceState saved(s);
    drawbotCheck(s.surfaceSuite()->SetAntiAliasPolicy(s.surface(), kDRAWBOT_AntiAliasPolicy_High));
    if (state != MarkerState::Normal) {
        const DRAWBOT_PathP halo = s.path();
        s.moveTo(halo, cx, top - 6.0f);
        s.lineTo(halo, left - 1.0f, top);
        s.lineTo(halo, left - 1.0f, bottom + 1.0f);
        s.lineTo(halo, right + 1.5f, bottom + 1.0f);
        s.lineTo(halo, right + 1.5f, top);
        s.close(halo);
        s.fill(halo, p.color(state == MarkerState::Hovered ? kHaloHover : kHaloSelected));
    }
    const DRAWBOT_PathP body = s.path();
    s.addRect(body, {left, top, right - left, bottom - top});
    const PF_PixelFloat c = flagColor(flag);
    s.fill(body, {c.red, c.green, c.blue, 1.0f});
    const DRAWBOT_PathP cap = s.path();
    s.moveTo(cap, cx, top - 5.0f);
    s.lineTo(cap, left, top);
    s.lineTo(cap, right + 0.5f, top);
    s.close(cap);
    s.fill(cap, p.color(state == MarkerState::Selected ? kCapSelected : kCapNormal));
    saved.end();
}

void drawMarkers(const Painter &p, const ColorBarGeometry &g, const ColorBarContext *c, const ColorFlagList &list) {
    auto stateOf = [c](const ColorFlag &f) {
        if (c && isSelected(*c, f.id))
            return MarkerState::Selected;
        return c && c->hoverFlag == f.id ? MarkerState::Hovered : MarkerState::Normal;
    };
    // Normal ones first, then the hovered one, then the selection on top.
    for (const MarkerState pass : {MarkerState::Normal, MarkerState::Hovered, MarkerState::Selected})
        for (A_long i = 0; i < usedFlagCount(list); ++i)
            if (list.flag[i].id != -1 && stateOf(list.flag[i]) == pass)
                drawMarker(p, g, list.flag[i], pass);
}

void drawRubberBand(const Painter &p, const ColorBarContext &c) {
    const DrawingScope &s = p.scope;
    const DRAWBOT_PathP band = s.path();
    const float left = static_cast<float>(std::min(c.startH, c.currentH));
    const float top = static_cast<float>(std::min(c.startV, c.currentV));
    s.addRect(band, {left, top, static_cast<float>(std::abs(c.currentH - c.startH)),
                     static_cast<float>(std::abs(c.currentV - c.startV))});
    DRAWBOT_ColorRGBA color = p.color(kRubberBand);
    color.alpha = 0.4f;
    s.fill(band, color);
}

} // namespace

bool GradColorPresetUI::differsFromPreset(const GradientData &value) const {
    ColorFlagList a = value.current, b = value.preset;
    if (usedFlagCount(a) != usedFlagCount(b))
        return true;
    sortColorFlags(a);
    sortColorFlags(b);
    for (A_long i = 0; i < usedFlagCount(a); ++i) {
        const ColorFlag &x = a.flag[i], &y = b.flag[i];
        if (x.red != y.red || x.green != y.green || x.blue != y.blue || x.alpha != y.alpha || x.position != y.position)
            return true;
    }
    return false;
}

PF_Rect GradColorPresetUI::areaRect(const PF_Rect &frame, int area) const { return ColorBarGeometry(frame).area(area); }

PF_Err GradColorPresetUI::draw(PF_InData *in_data, PF_OutData *, PF_ParamDef *params[], PF_LayerDef *,
                               PF_EventExtra *event) {
    if ((event->evt_in_flags & PF_EI_DONT_DRAW) || event->effect_win.area != PF_EA_CONTROL)
        return PF_Err_NONE;
    const A_long index = event->effect_win.index;
    if (!params || index < 0 || !params[index] || params[index]->param_type != PF_Param_ARBITRARY_DATA ||
        reinterpret_cast<std::uintptr_t>(params[index]->u.arb_d.refconPV) != kGradientRefcon)
        return PF_Err_NONE;
    try {
        SuiteCache suites(in_data->pica_basicP);
        GradientData value;
        if (const PF_Err err = readGradient(suites.handleSuite(), params[index]->u.arb_d.value, value))
            return err;
        ColorBarContext *c = context(event);
        const ColorBarGeometry g(event->effect_win.current_frame);
        const ThemeInputs theme = readThemeInputs(suites);
        const DrawingScope scope(suites, event->contextH);
        const Painter painter{scope, theme};
        const char *first = value.presetName;
        std::string name(first, std::find(first, first + sizeof value.presetName, '\0'));
        if (!name.empty() && differsFromPreset(value))
            name = "*" + name;
        drawTopRow(painter, g, c, name);
        sortColorFlags(value.current);
        if (c)
            c->barWidth = g.barWidth();
        drawBar(painter, g, value.current);
        drawTicks(painter, g);
        drawMarkers(painter, g, c, value.current);
        if (c && c->dragMode == 2)
            drawRubberBand(painter, *c);
    } catch (const DRAWBOT_Exception &e) {
        return e.code();
    }
    return PF_Err_NONE;
}

} // namespace AEUtil
