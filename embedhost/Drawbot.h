// The host's drawing suites ("DRAWBOT" Draw 1, Supplier 1, Surface 1 and 2, Path 1, Pen 1,
// Image 1) painting with Cairo on a canvas the size of a panel, and the bookkeeping of the
// objects a plug-in makes through them, so tests can prove each one was released.
//
// Choices where the host leaves room: the default font is Cairo's "DejaVu Sans" at 11 px; text
// is drawn with its origin on the baseline; a truncation width cuts text with an ellipsis
// (EndEllipsis, PathEllipsis) or by clipping (End). Arcs take degrees, zero along +x, positive
// sweeps turning towards +y. Interpolation None draws images with the nearest pixel, Med and
// High bilinearly; anti-alias None, Med, High are Cairo's none, default and best. The defaults
// of both policies are None, as the SDK declares. 32RGB holds bytes (ignored, R, G, B), 32BGR
// (B, G, R, ignored). IsWithinClipBounds answers whether the rectangle meets the clip bounds.
// A null or unknown reference, or a null out-pointer, answers PF_Err_BAD_CALLBACK_PARAM.
//
// Built without Cairo (the Windows cross build) nothing is published and openCanvas throws.
#pragma once

#include <memory>
#include <stdexcept>

#include "AE_EffectSuites.h"
#include "DrawbotSuite.h"
#include "embedhost/Image.h"

namespace embedhost {

class SuiteRegistry;

namespace drawbot {
class Registry;
struct Canvas;
} // namespace drawbot

// A panel's drawing surface: ARGB, filled with a background; its draw reference is what
// "PF Effect Custom UI Suite" hands the plug-in while the panel draws.
class DrawCanvas {
public:
    ~DrawCanvas();
    DrawCanvas(const DrawCanvas &) = delete;
    DrawCanvas &operator=(const DrawCanvas &) = delete;

    DRAWBOT_DrawRef ref() const;
    // The pixels as 8-bit straight ARGB (PF_PixelFormat_ARGB32).
    Image image() const;

private:
    friend class Drawbot;
    DrawCanvas(drawbot::Registry &registry, drawbot::Canvas *canvas) : registry_(registry), canvas_(canvas) {}
    drawbot::Registry &registry_;
    drawbot::Canvas *canvas_;
};

class Drawbot {
public:
    Drawbot();
    ~Drawbot();
    Drawbot(const Drawbot &) = delete;
    Drawbot &operator=(const Drawbot &) = delete;

    static bool available(); // built with Cairo
    void publish(SuiteRegistry &suites) const;

    // Throws std::runtime_error when the drawing suites are not built, std::invalid_argument for
    // a size below 1.
    std::unique_ptr<DrawCanvas> openCanvas(int width, int height, const PF_App_Color &background);

    // Pens, brushes, fonts, images and paths made and not yet released; all made so far;
    // retains and releases of references that are not live objects.
    long liveObjects() const;
    long objectsMade() const;
    long badReferences() const;

    drawbot::Registry *registry() { return registry_.get(); }

private:
    std::unique_ptr<drawbot::Registry> registry_;
};

} // namespace embedhost
