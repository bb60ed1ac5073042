// The drawing suites of a host built without Cairo: nothing is published and no canvas opens.
#include "embedhost/Drawbot.h"

namespace embedhost {

namespace drawbot {
class Registry {};
} // namespace drawbot

DrawCanvas::~DrawCanvas() = default;
DRAWBOT_DrawRef DrawCanvas::ref() const { return nullptr; }
Image DrawCanvas::image() const { return {}; }

Drawbot::Drawbot() = default;
Drawbot::~Drawbot() = default;

bool Drawbot::available() { return false; }
void Drawbot::publish(SuiteRegistry &) const {}

std::unique_ptr<DrawCanvas> Drawbot::openCanvas(int, int, const PF_App_Color &) {
    throw std::runtime_error("embedhost: this host was built without the drawing suites (no Cairo), so it "
                             "cannot draw a custom control");
}

long Drawbot::liveObjects() const { return 0; }
long Drawbot::objectsMade() const { return 0; }
long Drawbot::badReferences() const { return 0; }

} // namespace embedhost
