// "DRAWBOT Path Suite" 1, "DRAWBOT Pen Suite" 1 and "DRAWBOT Image Suite" 1: a path records its
// segments and is replayed on the surface when filled or stroked.
#include "embedhost/DrawbotObjects.h"

namespace embedhost::drawbot {

namespace {

template <class T, class Ref, class Body>
PF_Err withObject(Ref ref, Body body) {
    Registry *r = current();
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard lock(r->mutex);
    T *object = r->find<T>(ref);
    if (!object)
        return PF_Err_BAD_CALLBACK_PARAM;
    return body(*object);
}

PF_Err append(DRAWBOT_PathRef ref, Segment segment) {
    return withObject<Path>(ref, [&](Path &path) {
        path.segments.push_back(segment);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err moveTo(DRAWBOT_PathRef p, float x, float y) { return append(p, {Segment::Move, {x, y}}); }
SPAPI PF_Err lineTo(DRAWBOT_PathRef p, float x, float y) { return append(p, {Segment::Line, {x, y}}); }
SPAPI PF_Err close(DRAWBOT_PathRef p) { return append(p, {Segment::Close, {}}); }

SPAPI PF_Err bezierTo(DRAWBOT_PathRef p, const DRAWBOT_PointF32 *a, const DRAWBOT_PointF32 *b,
                      const DRAWBOT_PointF32 *c) {
    if (!a || !b || !c)
        return PF_Err_BAD_CALLBACK_PARAM;
    return append(p, {Segment::Curve, {a->x, a->y, b->x, b->y, c->x, c->y}});
}

SPAPI PF_Err addRect(DRAWBOT_PathRef p, const DRAWBOT_RectF32 *r) {
    if (!r)
        return PF_Err_BAD_CALLBACK_PARAM;
    return append(p, {Segment::Rect, {r->left, r->top, r->width, r->height}});
}

SPAPI PF_Err addArc(DRAWBOT_PathRef p, const DRAWBOT_PointF32 *centre, float radius, float start, float sweep) {
    if (!centre || radius < 0)
        return PF_Err_BAD_CALLBACK_PARAM;
    return append(p, {Segment::Arc, {centre->x, centre->y, radius, start, sweep}});
}

SPAPI PF_Err setDashPattern(DRAWBOT_PenRef ref, const float *dashes, int count) {
    if (count < 0 || (count > 0 && !dashes))
        return PF_Err_BAD_CALLBACK_PARAM;
    return withObject<Pen>(ref, [&](Pen &pen) {
        pen.dashes.assign(dashes, dashes + count);
        return PF_Err_NONE;
    });
}

SPAPI PF_Err setScaleFactor(DRAWBOT_ImageRef ref, float scale) {
    if (!(scale > 0))
        return PF_Err_BAD_CALLBACK_PARAM;
    return withObject<Picture>(ref, [&](Picture &image) {
        image.scale = scale;
        return PF_Err_NONE;
    });
}

} // namespace

const DRAWBOT_PathSuite1 kPathSuite1 = {moveTo, lineTo, bezierTo, addRect, addArc, close};
const DRAWBOT_PenSuite1 kPenSuite1 = {setDashPattern};
const DRAWBOT_ImageSuite1 kImageSuite1 = {setScaleFactor};

} // namespace embedhost::drawbot
