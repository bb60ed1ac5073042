// "DRAWBOT Surface Suite" 1 and 2 on a Cairo context: state stack, fills, strokes, clipping,
// transforms, text and images.
#include <cmath>
#include <string>

#include "embedhost/DrawbotObjects.h"

namespace embedhost::drawbot {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr const char *kFontFamily = "DejaVu Sans";

// Runs `body` under the registry's lock with the live canvas behind a surface reference.
template <class Body>
PF_Err withSurface(DRAWBOT_SurfaceRef ref, Body body) {
    Registry *r = current();
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(r->mutex);
    Canvas *c = r->bySurface(ref);
    return c ? body(*r, *c) : PF_Err_BAD_CALLBACK_PARAM;
}

void setColour(cairo_t *cr, const DRAWBOT_ColorRGBA &c) { cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha); }

void replay(cairo_t *cr, const Path &path) {
    cairo_new_path(cr);
    for (const Segment &s : path.segments) {
        const float *v = s.v;
        switch (s.kind) {
        case Segment::Move: cairo_move_to(cr, v[0], v[1]); break;
        case Segment::Line: cairo_line_to(cr, v[0], v[1]); break;
        case Segment::Curve: cairo_curve_to(cr, v[0], v[1], v[2], v[3], v[4], v[5]); break;
        case Segment::Rect: cairo_rectangle(cr, v[0], v[1], v[2], v[3]); break;
        case Segment::Arc: {
            const double from = v[3] * kPi / 180, to = (v[3] + v[4]) * kPi / 180;
            (v[4] >= 0 ? cairo_arc : cairo_arc_negative)(cr, v[0], v[1], v[2], from, to);
            break;
        }
        case Segment::Close: cairo_close_path(cr); break;
        }
    }
}

SPAPI PF_Err pushState(DRAWBOT_SurfaceRef s) {
    return withSurface(s, [](Registry &, Canvas &c) {
        cairo_save(c.cr);
        c.saved.push_back(c.now);
        return PF_Err_NONE;
    });
}

// A pop without a push is refused rather than passed on to Cairo, which would fail for good.
SPAPI PF_Err popState(DRAWBOT_SurfaceRef s) {
    return withSurface(s, [](Registry &, Canvas &c) {
        if (c.saved.empty())
            return PF_Err_BAD_CALLBACK_PARAM;
        cairo_restore(c.cr);
        c.now = c.saved.back();
        c.saved.pop_back();
        return PF_Err_NONE;
    });
}

SPAPI PF_Err paintRect(DRAWBOT_SurfaceRef s, const DRAWBOT_ColorRGBA *colour, const DRAWBOT_RectF32 *r) {
    if (!colour || !r)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        cairo_new_path(c.cr);
        cairo_rectangle(c.cr, r->left, r->top, r->width, r->height);
        setColour(c.cr, *colour);
        cairo_fill(c.cr);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err fillPath(DRAWBOT_SurfaceRef s, DRAWBOT_BrushRef b, DRAWBOT_PathRef p, DRAWBOT_FillType type) {
    if (type != kDRAWBOT_FillType_EvenOdd && type != kDRAWBOT_FillType_Winding)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &r, Canvas &c) {
        const Brush *brush = r.find<Brush>(b);
        const Path *path = r.find<Path>(p);
        if (!brush || !path)
            return PF_Err_BAD_CALLBACK_PARAM;
        replay(c.cr, *path);
        cairo_set_fill_rule(c.cr,
                            type == kDRAWBOT_FillType_EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        setColour(c.cr, brush->color);
        cairo_fill(c.cr);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err strokePath(DRAWBOT_SurfaceRef s, DRAWBOT_PenRef pn, DRAWBOT_PathRef p) {
    return withSurface(s, [&](Registry &r, Canvas &c) {
        const Pen *pen = r.find<Pen>(pn);
        const Path *path = r.find<Path>(p);
        if (!pen || !path)
            return PF_Err_BAD_CALLBACK_PARAM;
        replay(c.cr, *path);
        cairo_set_line_width(c.cr, pen->width);
        cairo_set_dash(c.cr, pen->dashes.data(), static_cast<int>(pen->dashes.size()), 0);
        setColour(c.cr, pen->color);
        cairo_stroke(c.cr);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err clip(DRAWBOT_SurfaceRef s, DRAWBOT_SupplierRef supplier, const DRAWBOT_Rect32 *r) {
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &reg, Canvas &c) {
        if (reg.bySupplier(supplier) != &c)
            return PF_Err_BAD_CALLBACK_PARAM;
        cairo_new_path(c.cr);
        cairo_rectangle(c.cr, r->left, r->top, r->width, r->height);
        cairo_clip(c.cr);
        return PF_Err_NONE;
    });
}

DRAWBOT_Rect32 clipBounds(cairo_t *cr) {
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const int l = static_cast<int>(std::floor(x1)), t = static_cast<int>(std::floor(y1));
    return {l, t, static_cast<int>(std::ceil(x2)) - l, static_cast<int>(std::ceil(y2)) - t};
}

SPAPI PF_Err getClipBounds(DRAWBOT_SurfaceRef s, DRAWBOT_Rect32 *out) {
    if (!out)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        *out = clipBounds(c.cr);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err isWithinClip(DRAWBOT_SurfaceRef s, const DRAWBOT_Rect32 *r, DRAWBOT_Boolean *out) {
    if (!r || !out)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        const DRAWBOT_Rect32 b = clipBounds(c.cr);
        *out = r->width > 0 && r->height > 0 && r->left < b.left + b.width && b.left < r->left + r->width &&
               r->top < b.top + b.height && b.top < r->top + r->height;
        return PF_Err_NONE;
    });
}

// The matrix maps row vectors: (x, y, 1) * mat.
SPAPI PF_Err transform(DRAWBOT_SurfaceRef s, const DRAWBOT_MatrixF32 *m) {
    if (!m)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        cairo_matrix_t matrix;
        cairo_matrix_init(&matrix, m->mat[0][0], m->mat[0][1], m->mat[1][0], m->mat[1][1], m->mat[2][0], m->mat[2][1]);
        cairo_matrix_t inverse = matrix;
        if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS)
            return PF_Err_BAD_CALLBACK_PARAM; // singular: Cairo would fail for good
        cairo_transform(c.cr, &matrix);
        return PF_Err_NONE;
    });
}

void appendUtf8(std::string &out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Code points of a NUL-terminated UTF-16 string; a lone surrogate becomes U+FFFD.
std::u32string codePoints(const DRAWBOT_UTF16Char *s) {
    std::u32string out;
    for (; *s; ++s) {
        const char32_t u = *s;
        if (u >= 0xD800 && u < 0xDC00 && s[1] >= 0xDC00 && s[1] < 0xE000) {
            out += 0x10000 + ((u - 0xD800) << 10) + (s[1] - 0xDC00);
            ++s;
        } else {
            out += u >= 0xD800 && u < 0xE000 ? char32_t{0xFFFD} : u;
        }
    }
    return out;
}

std::string utf8(const std::u32string &text) {
    std::string out;
    for (char32_t cp : text)
        appendUtf8(out, cp);
    return out;
}

double advance(cairo_t *cr, const std::string &text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

// The text shortened with a trailing ellipsis until it fits `width`.
std::string withEllipsis(cairo_t *cr, std::u32string text, double width) {
    std::string out = utf8(text);
    while (!text.empty() && advance(cr, out) > width) {
        text.pop_back();
        out = utf8(text) + "\xE2\x80\xA6";
    }
    return out;
}

SPAPI PF_Err drawString(DRAWBOT_SurfaceRef s, DRAWBOT_BrushRef b, DRAWBOT_FontRef f, const DRAWBOT_UTF16Char *str,
                        const DRAWBOT_PointF32 *origin, DRAWBOT_TextAlignment align, DRAWBOT_TextTruncation trunc,
                        float truncWidth) {
    if (!str || !origin || align < kDRAWBOT_TextAlignment_Left || align > kDRAWBOT_TextAlignment_Right ||
        trunc < kDRAWBOT_TextTruncation_None || trunc > kDRAWBOT_TextTruncation_PathEllipsis)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &r, Canvas &c) {
        const Brush *brush = r.find<Brush>(b);
        const Font *font = r.find<Font>(f);
        if (!brush || !font)
            return PF_Err_BAD_CALLBACK_PARAM;
        cairo_t *cr = c.cr;
        cairo_save(cr);
        cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, font->size);
        const bool cut = trunc != kDRAWBOT_TextTruncation_None && truncWidth > 0;
        std::string text = utf8(codePoints(str));
        if (cut && trunc != kDRAWBOT_TextTruncation_End)
            text = withEllipsis(cr, codePoints(str), truncWidth);
        const double width = cut ? std::min<double>(advance(cr, text), truncWidth) : advance(cr, text);
        const double left = origin->x - (align == kDRAWBOT_TextAlignment_Center  ? width / 2
                                         : align == kDRAWBOT_TextAlignment_Right ? width
                                                                                 : 0);
        if (cut) {
            cairo_new_path(cr);
            cairo_rectangle(cr, left, origin->y - 4.0 * font->size, truncWidth, 8.0 * font->size);
            cairo_clip(cr);
        }
        setColour(cr, brush->color);
        cairo_move_to(cr, left, origin->y);
        cairo_show_text(cr, text.c_str());
        cairo_restore(cr);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err drawImage(DRAWBOT_SurfaceRef s, DRAWBOT_ImageRef i, const DRAWBOT_PointF32 *origin, float alpha) {
    if (!origin)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &r, Canvas &c) {
        const Picture *image = r.find<Picture>(i);
        if (!image)
            return PF_Err_BAD_CALLBACK_PARAM;
        cairo_t *cr = c.cr;
        cairo_save(cr);
        cairo_translate(cr, origin->x, origin->y);
        cairo_scale(cr, 1.0 / image->scale, 1.0 / image->scale);
        cairo_set_source_surface(cr, image->surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), c.now.interpolation == kDRAWBOT_InterpolationPolicy_None
                                                           ? CAIRO_FILTER_NEAREST
                                                           : CAIRO_FILTER_BILINEAR);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
        return PF_Err_NONE;
    });
}

template <class Policy, Policy Policies::*field>
PF_Err setPolicy(DRAWBOT_SurfaceRef s, Policy value) {
    if (value < 0 || value > 2) // None, Med, High
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        c.now.*field = value;
        if constexpr (field == &Policies::antiAlias) {
            static const cairo_antialias_t kCairo[] = {CAIRO_ANTIALIAS_NONE, CAIRO_ANTIALIAS_DEFAULT,
                                                       CAIRO_ANTIALIAS_BEST};
            cairo_set_antialias(c.cr, kCairo[value]);
        }
        return PF_Err_NONE;
    });
}

template <class Policy, Policy Policies::*field>
PF_Err getPolicy(DRAWBOT_SurfaceRef s, Policy *out) {
    if (!out)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &c) {
        *out = c.now.*field;
        return PF_Err_NONE;
    });
}

SPAPI PF_Err flush(DRAWBOT_SurfaceRef s) {
    return withSurface(s, [](Registry &, Canvas &c) {
        cairo_surface_flush(c.surface);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err screenScale(DRAWBOT_SurfaceRef s, float *out) {
    if (!out)
        return PF_Err_BAD_CALLBACK_PARAM;
    return withSurface(s, [&](Registry &, Canvas &) {
        *out = 1.0f;
        return PF_Err_NONE;
    });
}

} // namespace

const DRAWBOT_SurfaceSuite2 kSurfaceSuite2 = {
    .PushStateStack = pushState,
    .PopStateStack = popState,
    .PaintRect = paintRect,
    .FillPath = fillPath,
    .StrokePath = strokePath,
    .Clip = clip,
    .GetClipBounds = getClipBounds,
    .IsWithinClipBounds = isWithinClip,
    .Transform = transform,
    .DrawString = drawString,
    .DrawImage = drawImage,
    .SetInterpolationPolicy = setPolicy<DRAWBOT_InterpolationPolicy, &Policies::interpolation>,
    .GetInterpolationPolicy = getPolicy<DRAWBOT_InterpolationPolicy, &Policies::interpolation>,
    .SetAntiAliasPolicy = setPolicy<DRAWBOT_AntiAliasPolicy, &Policies::antiAlias>,
    .GetAntiAliasPolicy = getPolicy<DRAWBOT_AntiAliasPolicy, &Policies::antiAlias>,
    .Flush = flush,
    .GetTransformToScreenScale = screenScale,
};

} // namespace embedhost::drawbot
