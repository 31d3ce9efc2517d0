#include "tweak/widgets/ToggleButton.h"

#include <algorithm>

#include "foundation/BoxedString.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/widgets/BundleHelper.h"
#include "tweak/widgets/HapticFeedbackHelper.h"
#include "ui/AffineTransform.h"
#include "ui/AnimationOptions.h"
#include "ui/ContentMode.h"
#include "ui/ControlEvents.h"
#include "ui/Font.h"
#include "ui/LayoutAnchor.h"
#include "ui/View.h"

namespace morvane {

namespace {

constexpr const char* kIconSuffix = "Icon";

const rt::Selector& checkboxSelectedSelector() {
    static const rt::Selector selector = rt::sel("checkboxSelected:");
    return selector;
}

}  // namespace

// "init" passes through "initWithFrame:", so a button made this way registers its action
// twice; the control keeps one registration for the same target and action.
ToggleButton::ToggleButton() : ToggleButton(ui::Rect::zero()) {
    registerOwnTapAction();
}

ToggleButton::ToggleButton(const ui::Rect& frame) : ui::Button(frame) {
    registerOwnTapAction();
}

void ToggleButton::registerOwnTapAction() {
    addTarget(this, checkboxSelectedSelector(), ui::ControlEvents::kTouchUpInside);
}

void ToggleButton::setupWithToggleName(const std::string& toggleName, rt::Ref<ui::Color> uiColor) {
    setImage(BundleHelper::getImageWithName(toggleName + kIconSuffix), ui::ControlState::kNormal);
    imageView()->setContentMode(ui::ContentMode::ScaleAspectFit);
    setAdjustsImageWhenHighlighted(true);
    _toggleName = toggleName;
    setTintColor(std::move(uiColor));
    setCurrentState(kStateNotSet);
}

void ToggleButton::setConstraintsForSize(double size) {
    _buttonSize = std::max(0.0, size);
    if (_heightConstraint) removeConstraint(_heightConstraint.get());
    if (_squareConstraint) _squareConstraint->setActive(false);
    _heightConstraint = ui::LayoutConstraint::constraintWithItem(
        this, ui::LayoutAttribute::Height, ui::LayoutRelation::Equal, nullptr,
        ui::LayoutAttribute::NotAnAttribute, 1.0, _buttonSize);
    addConstraint(_heightConstraint.get());
    _squareConstraint = heightAnchor()->constraintEqualToAnchorWithMultiplier(*widthAnchor(), 1.0);
    _squareConstraint->setActive(true);
}

void ToggleButton::checkboxSelected(rt::Object* sender) {
    rt::send<void>(sender, rt::sel("setNextState"));
    HapticFeedbackHelper::sendImpact();
}

void ToggleButton::setNextState() {
    switch (_currentState) {
        case kStateOn:
            setCurrentState(kStateOff);
            break;
        case kStateOff:
            setCurrentState(kStateNotSet);
            break;
        case kStateNotSet:
            setCurrentState(kStateOn);
            break;
        default:
            break;
    }
}

void ToggleButton::setCurrentState(int state) {
    _currentState = state;
    setAlpha(state == kStateNotSet ? kNotSetAlpha : kSetAlpha);
    switch (state) {
        case kStateOn:
            setBadgeWithText(kOnText);
            break;
        case kStateOff:
            setBadgeWithText(kOffText);
            break;
        case kStateNotSet:
            setBadgeWithText(std::nullopt);
            break;
        default:
            break;
    }
    playPop();
}

void ToggleButton::playPop() {
    setTransform(ui::AffineTransform::makeScale(kPopScale, kPopScale));
    ui::View::animateWithSpring(kPopDuration, 0, kPopDamping, kPopVelocity,
                                ui::AnimationOptions::kAllowUserInteraction,
                                [this] { setTransform(ui::AffineTransform::identity()); });
}

// The badge is placed again on every call, so one made before the button was laid out
// moves under the icon at the next state change.
void ToggleButton::setBadgeWithBoxedText(const ui::BoxedString* text) {
    setBadgeWithText(text ? std::optional<std::string>(text->value()) : std::nullopt);
}

void ToggleButton::setBadgeWithText(const std::optional<std::string>& text) {
    if (!text) {
        if (_badgeLabel) _badgeLabel->removeFromSuperview();
        _badgeLabel = nullptr;
        return;
    }
    const ui::Rect area = frame();
    const bool small = area.height() <= kSmallButtonHeight;
    if (!_badgeLabel) {
        _badgeLabel = makeBadgeLabel(area.height());
        addSubview(_badgeLabel.get());
    }
    _badgeLabel->setFrame(ui::Rect(0, area.height() - (small ? 2 : 1), area.width(), kBadgeHeight));
    const rt::Ref<ui::Label> badge = _badgeLabel;
    ui::View::transition(badge.get(), kBadgeTransitionDuration,
                         ui::AnimationOptions::kTransitionCrossDissolve,
                         [&] { badge->setText(*text); });
}

// Colour and type are fixed here, when the badge is first made.
rt::Ref<ui::Label> ToggleButton::makeBadgeLabel(double buttonHeight) {
    rt::Ref<ui::Label> badge = rt::make<ui::Label>();
    badge->setTextColor(tintColor());
    badge->setFont(ui::Font::systemFontOfSize(
        buttonHeight <= kSmallButtonHeight ? kSmallBadgeFontSize : kBadgeFontSize));
    badge->setAdjustsFontSizeToFitWidth(true);
    badge->setMinimumScaleFactor(kBadgeMinimumScale);
    badge->setTextAlignment(ui::TextAlignment::Center);
    badge->layer()->setCornerRadius(kBadgeCornerRadius);
    badge->layer()->setMasksToBounds(true);
    return badge;
}

void ToggleButton::addToStackViewIfNeeded(ui::StackView* stackView) {
    if (_hasToBeShown && stackView) stackView->addArrangedSubview(this);
}

void ToggleButton::registerRuntimeClass() {
    rt::Class* cls = rt::registerClass<ToggleButton, ui::Button>();
    rt::addMethods(cls,
                   {
                       rt::bind<&ToggleButton::setupWithToggleName>("setupWithToggleName:uiColor:"),
                       rt::bind<&ToggleButton::setConstraintsForSize>("setConstraintsForSize:"),
                       rt::bind<&ToggleButton::checkboxSelected>(checkboxSelectedSelector()),
                       rt::bind<&ToggleButton::setNextState>("setNextState"),
                       rt::bind<&ToggleButton::setCurrentState>("setCurrentState:"),
                       rt::bind<&ToggleButton::currentState>("currentState"),
                       rt::bind<&ToggleButton::setBadgeWithBoxedText>("setBadgeWithText:"),
                       rt::bind<&ToggleButton::addToStackViewIfNeeded>("addToStackViewIfNeeded:"),
                       rt::bind<&ToggleButton::toggleName>("toggleName"),
                       rt::bind<&ToggleButton::setToggleName>("setToggleName:"),
                       rt::bind<&ToggleButton::hasToBeShown>("hasToBeShown"),
                       rt::bind<&ToggleButton::setHasToBeShown>("setHasToBeShown:"),
                   });
    rt::declareField(cls, "badgeLabel", &ToggleButton::_badgeLabel);
    rt::declareField(cls, "buttonSize", &ToggleButton::_buttonSize);
    rt::declareField(cls, "_hasToBeShown", &ToggleButton::_hasToBeShown);
    rt::declareField(cls, "_currentState", &ToggleButton::_currentState);
    rt::declareField(cls, "_toggleName", &ToggleButton::_toggleName);
}

}  // namespace morvane
