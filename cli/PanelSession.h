// The colour bar in an effect panel of the embedded host, for `lumora panel` and `lumora
// presets`: the module set up with its gradient, a panel open on the control, gestures played
// on it, and the dialogs the control opens answered from a script, never by default.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/GestureScript.h"
#include "colorbar/data/GradientData.h"
#include "embedhost/EffectPanel.h"
#include "embedhost/Host.h"

namespace lumora::cli {

class PanelSession {
public:
    // Loads `module` (empty: the built one), sets it up and opens a panel `width` pixels wide
    // on its gradient parameter. Throws std::runtime_error when the plug-in fails or has none.
    PanelSession(const std::string &module, A_long width);
    ~PanelSession();
    PanelSession(const PanelSession &) = delete;
    PanelSession &operator=(const PanelSession &) = delete;

    // Gives the parameter `value` through the plug-in's scan of its text form.
    void setGradient(const AEUtil::GradientData &value);
    // The parameter's value as the host holds it now.
    AEUtil::GradientData gradient();

    // The answers to the dialogs the next gestures open, taken in order by kind (Pick, Choose,
    // Type gestures; others are not answers and are left out).
    void addAnswer(const Gesture &answer);
    // Plays one mouse gesture; throws std::runtime_error naming `what` when the plug-in fails
    // an event or a dialog found no answer.
    void play(const Gesture &gesture, const std::string &what);
    // Releases a button a Hold gesture left held, where the mouse is.
    void releaseHeld(const std::string &what);
    // Answers left over once every gesture was played.
    const std::deque<Gesture> &unusedAnswers() const { return answers_; }

    // Clicks the middle of top-row area 0, 1 or 2 (a button is released over itself).
    void pressTopRow(int area, const std::string &what);
    // The menu items of the last menu the control opened, "&&" shown as "&".
    const std::vector<std::string> &lastMenu() const { return lastMenu_; }
    // Messages the plug-in returned, in order (the 32-flag limit, an unwritten preset file).
    const std::vector<std::string> &messages() const { return messages_; }

    embedhost::EffectPanel &panel() { return *panel_; }

private:
    void check(const embedhost::PanelEventResult &result, const std::string &what);
    std::optional<Gesture> takeAnswer(Gesture::Kind kind);
    embedhost::PanelCallbacks callbacks();

    std::unique_ptr<embedhost::Host> host_;
    PF_ParamIndex index_ = 0;
    std::unique_ptr<embedhost::EffectPanel> panel_;
    std::deque<Gesture> answers_;
    std::vector<std::string> lastMenu_;
    std::vector<std::string> messages_;
    std::string unanswered_;       // the dialog that found no answer during the current gesture
    std::optional<PF_Point> held_; // where a Hold gesture left the mouse, its button down
};

} // namespace lumora::cli
