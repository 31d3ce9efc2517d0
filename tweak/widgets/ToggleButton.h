#pragma once

#include <optional>
#include <string>

#include "foundation/BoxedString.h"
#include "rt/Ref.h"
#include "ui/Button.h"
#include "ui/Color.h"
#include "ui/Label.h"
#include "ui/LayoutConstraint.h"
#include "ui/Rect.h"
#include "ui/StackView.h"

namespace morvane {

// The three-state button of one switch of the toggle catalogue: not set (-1), on (1), off
// (0). A tap moves it on -1 -> 1 -> 0 -> -1 and gives a light haptic tap; the state shows in
// the button's alpha and in a small "On"/"Off" badge hanging below its icon. Storing the
// state is the owner's business: the button registers its own tap action when it is made,
// so an owner's handler for the same event runs after it and reads the new state.
//
// Selectors: "init"/"initWithFrame:" are the constructors; "setupWithToggleName:uiColor:",
// "setConstraintsForSize:", "checkboxSelected:", "setNextState", "setCurrentState:" (int),
// "currentState" (int), "setBadgeWithText:" (a string object or nil),
// "addToStackViewIfNeeded:", "toggleName", "setToggleName:", "hasToBeShown",
// "setHasToBeShown:".
class ToggleButton : public ui::Button {
  public:
    static constexpr const char* kClassName = "ToggleButton";

    static constexpr int kStateNotSet = -1;
    static constexpr int kStateOff = 0;
    static constexpr int kStateOn = 1;

    static constexpr double kNotSetAlpha = 0.3;
    static constexpr double kSetAlpha = 0.65;
    static constexpr const char* kOnText = "On";
    static constexpr const char* kOffText = "Off";

    // Badge geometry and type: a button this high or lower counts as small.
    static constexpr double kSmallButtonHeight = 20;
    static constexpr double kSmallBadgeFontSize = 9;
    static constexpr double kBadgeFontSize = 11;
    static constexpr double kBadgeHeight = 12;
    static constexpr double kBadgeMinimumScale = 0.5;
    static constexpr double kBadgeCornerRadius = 5;
    static constexpr double kBadgeTransitionDuration = 0.15;

    // The pop each state change plays: a jump to 90 % and a spring back.
    static constexpr double kPopScale = 0.9;
    static constexpr double kPopDuration = 0.2;
    static constexpr double kPopDamping = 0.3;
    static constexpr double kPopVelocity = 7.0;

    ToggleButton();
    explicit ToggleButton(const ui::Rect& frame);

    // Icon "<toggleName>Icon" from the bundle in the given tint, state not set.
    void setupWithToggleName(const std::string& toggleName, rt::Ref<ui::Color> uiColor);
    // Makes the button an s x s square. The constraints of an earlier call are replaced, so
    // one button never carries two sizes at once; a negative size counts as zero.
    void setConstraintsForSize(double size);
    // The tap action: the sender moves to its next state, then a light haptic tap.
    void checkboxSelected(rt::Object* sender);
    // -1 -> 1 -> 0 -> -1; any other state stays as it is.
    void setNextState();
    // Stores the state and shows it: alpha, badge (left alone for an unknown state) and the
    // pop, also when the state is the one the button already has.
    void setCurrentState(int state);
    // Null removes the badge; a text shows it (made on first need) with a cross-dissolve.
    void setBadgeWithText(const std::optional<std::string>& text);
    // The same for a boxed string sent through the runtime; anything else removes the badge.
    void setBadgeWithBoxedText(const ui::BoxedString* text);
    // Joins the stack's arrangement only when the button is to be shown.
    void addToStackViewIfNeeded(ui::StackView* stackView);

    int currentState() const { return _currentState; }
    const std::string& toggleName() const { return _toggleName; }
    void setToggleName(std::string toggleName) { _toggleName = std::move(toggleName); }
    bool hasToBeShown() const { return _hasToBeShown; }
    void setHasToBeShown(bool hasToBeShown) { _hasToBeShown = hasToBeShown; }
    double buttonSize() const { return _buttonSize; }
    const rt::Ref<ui::Label>& badgeLabel() const { return _badgeLabel; }

    static void registerRuntimeClass();

  private:
    void registerOwnTapAction();
    rt::Ref<ui::Label> makeBadgeLabel(double buttonHeight);
    void playPop();

    rt::Ref<ui::Label> _badgeLabel;
    double _buttonSize = 0;
    bool _hasToBeShown = false;
    int _currentState = kStateOff;
    std::string _toggleName;
    // The size constraints of the last setConstraintsForSize:, replaced by the next.
    rt::Ref<ui::LayoutConstraint> _heightConstraint;
    rt::Ref<ui::LayoutConstraint> _squareConstraint;
};

}  // namespace morvane
