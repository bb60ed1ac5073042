#include "cli/PanelSession.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "cli/EffectModule.h"
#include "cli/GradientStops.h"

namespace lumora::cli {

namespace {

// Where the control puts its top row (preset field, "Add", "Delete"), from the frame's right
// edge: what a person clicking it sees.
PF_Point topRowCentre(const PF_Rect &frame, int area) {
    const A_long v = frame.top + 15;
    switch (area) {
    case 0: return {(frame.left + frame.right - 134) / 2, v};
    case 1: return {frame.right - 115, v};
    default: return {frame.right - 72, v};
    }
}

std::string undoubled(const std::string &label) {
    std::string name;
    for (std::size_t i = 0; i < label.size(); ++i) {
        name += label[i];
        if (label[i] == '&' && i + 1 < label.size() && label[i + 1] == '&')
            ++i;
    }
    return name;
}

PF_ParamIndex gradientParam(embedhost::EffectParams &params) {
    for (PF_ParamIndex index = 1; index < params.count(); ++index)
        if (params.definition(index).param_type == PF_Param_ARBITRARY_DATA)
            return index;
    throw std::runtime_error("the plug-in has no gradient parameter");
}

// Steps of at most this many pixels between the points of a drag, as a moving mouse reports them.
constexpr A_long kDragStep = 8;

} // namespace

PanelSession::PanelSession(const std::string &module, A_long width)
    : host_(std::make_unique<embedhost::Host>(effectPlugin(module))) {
    checkCommand(host_->setUp(), "to set up");
    index_ = gradientParam(host_->params());
    embedhost::PanelOptions options;
    options.width = width;
    options.callbacks = callbacks();
    panel_ = std::make_unique<embedhost::EffectPanel>(*host_, index_, options);
}

PanelSession::~PanelSession() {
    panel_.reset();
    host_->tearDown();
}

void PanelSession::setGradient(const AEUtil::GradientData &value) {
    if (const PF_Err err = host_->params().scanArbitrary(index_, gradientScanText(value)))
        throw std::runtime_error("the plug-in refused the gradient: " + failureText(err, {}));
}

AEUtil::GradientData PanelSession::gradient() {
    std::vector<std::uint8_t> flat;
    if (const PF_Err err = host_->params().flattenArbitrary(index_, &flat))
        throw std::runtime_error("the plug-in failed to flatten the gradient: " + failureText(err, {}));
    if (flat.size() != sizeof(AEUtil::GradientData))
        throw std::runtime_error("the plug-in flattened the gradient into " + std::to_string(flat.size()) +
                                 " bytes, not " + std::to_string(sizeof(AEUtil::GradientData)));
    AEUtil::GradientData value;
    std::memcpy(&value, flat.data(), sizeof value);
    return value;
}

void PanelSession::addAnswer(const Gesture &answer) {
    if (answer.kind == Gesture::Kind::Pick || answer.kind == Gesture::Kind::Choose ||
        answer.kind == Gesture::Kind::Type)
        answers_.push_back(answer);
}

std::optional<Gesture> PanelSession::takeAnswer(Gesture::Kind kind) {
    for (auto it = answers_.begin(); it != answers_.end(); ++it)
        if (it->kind == kind) {
            Gesture g = *it;
            answers_.erase(it);
            return g;
        }
    return std::nullopt;
}

embedhost::PanelCallbacks PanelSession::callbacks() {
    embedhost::PanelCallbacks c;
    // A dialog without an answer fails: the callbacks throw, which the panel turns into the
    // dialog failing, and the gesture reports what was missing.
    c.pickColor = [this](const std::string &title, const PF_PixelFloat &) -> std::optional<PF_PixelFloat> {
        const std::optional<Gesture> a = takeAnswer(Gesture::Kind::Pick);
        if (!a) {
            unanswered_ = "the colour picker \"" + title + "\" opened and no 'pick' line answers it";
            throw std::runtime_error(unanswered_);
        }
        if (!a->color)
            return std::nullopt;
        return PF_PixelFloat{1.0f, a->color->red / 255.0f, a->color->green / 255.0f, a->color->blue / 255.0f};
    };
    c.chooseMenuItem = [this](const std::vector<embedhost::PanelMenuItem> &items, PF_Point) -> std::uint32_t {
        lastMenu_.clear();
        for (const embedhost::PanelMenuItem &item : items)
            lastMenu_.push_back(undoubled(item.label));
        const std::optional<Gesture> a = takeAnswer(Gesture::Kind::Choose);
        if (!a) {
            unanswered_ = "the preset menu opened and no 'choose' or 'dismiss' line answers it";
            throw std::runtime_error(unanswered_);
        }
        if (!a->text)
            return 0;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (lastMenu_[i] == *a->text && items[i].command != 0)
                return items[i].command;
        std::string known;
        for (const std::string &name : lastMenu_)
            known.append(known.empty() ? "" : ", ").append("'").append(name).append("'");
        unanswered_ = "the preset menu has no item '" + *a->text + "' (it shows " + known + ")";
        throw std::runtime_error(unanswered_);
    };
    c.askText = [this](const std::string &title, const std::string &) -> std::optional<std::string> {
        const std::optional<Gesture> a = takeAnswer(Gesture::Kind::Type);
        if (!a) {
            unanswered_ = "the prompt \"" + title + "\" opened and no 'type' or 'cancel' line answers it";
            throw std::runtime_error(unanswered_);
        }
        return a->text;
    };
    return c;
}

void PanelSession::check(const embedhost::PanelEventResult &result, const std::string &what) {
    // A dialog left without an answer fails the gesture even where the plug-in took it as
    // dismissed: a person would have answered it.
    if (!unanswered_.empty()) {
        const std::string why = std::exchange(unanswered_, {});
        throw std::runtime_error(what + ": " + why);
    }
    if (result.err)
        throw std::runtime_error(what + ": " + failureText(result.err, result.message));
    if (!result.message.empty())
        messages_.push_back(what + ": " + result.message);
}

void PanelSession::releaseHeld(const std::string &what) {
    if (held_ && panel_->dragging())
        check(panel_->release(held_->h, held_->v), what);
    held_.reset();
}

void PanelSession::play(const Gesture &g, const std::string &what) {
    if (g.kind == Gesture::Kind::Pick || g.kind == Gesture::Kind::Choose || g.kind == Gesture::Kind::Type)
        return; // answers are queued with addAnswer before the gestures play
    releaseHeld(what);
    embedhost::EffectPanel &p = *panel_;
    const PF_Point first = g.points.empty() ? PF_Point{} : g.points.front();
    auto press = [&](A_long clicks) {
        check(p.click(first.h, first.v, g.modifiers, clicks), what);
        if (p.dragging())
            check(p.release(first.h, first.v), what);
    };
    switch (g.kind) {
    case Gesture::Kind::Click: press(1); break;
    case Gesture::Kind::DoubleClick:
        press(1);
        press(2);
        break;
    case Gesture::Kind::Hover: check(p.hover(first.h, first.v), what); break;
    case Gesture::Kind::Drag:
    case Gesture::Kind::Hold: {
        const bool hold = g.kind == Gesture::Kind::Hold;
        check(p.click(first.h, first.v, g.modifiers, 1), what);
        PF_Point at = first;
        for (std::size_t i = 1; i < g.points.size() && p.dragging(); ++i) {
            const PF_Point to = g.points[i];
            const A_long steps =
                std::max<A_long>(1, std::max(std::abs(to.h - at.h), std::abs(to.v - at.v)) / kDragStep);
            for (A_long s = 1; s <= steps && p.dragging(); ++s) {
                const A_long h = at.h + (to.h - at.h) * s / steps, v = at.v + (to.v - at.v) * s / steps;
                if (i + 1 == g.points.size() && s == steps && !hold)
                    check(p.release(h, v), what);
                else
                    check(p.drag(h, v), what);
            }
            at = to;
        }
        if (hold)
            held_ = at;
        break;
    }
    default: break;
    }
}

void PanelSession::pressTopRow(int area, const std::string &what) {
    const PF_Point c = topRowCentre(panel_->frame(), area);
    Gesture click{Gesture::Kind::Click, {c}, PF_Mod_NONE, std::nullopt, std::nullopt, 0};
    play(click, what);
}

} // namespace lumora::cli
