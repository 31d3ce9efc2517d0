#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "foundation/BoxedString.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/widgets/ToggleButton.h"
#include "ui/AnimationOptions.h"
#include "ui/ControlEvents.h"
#include "ui/SimulatedFinger.h"
#include "ui/StackView.h"

using morvane::ToggleButton;
using ui::Color;
using ui::Rect;

namespace {

bool sameColor(const rt::Ref<Color>& a, const rt::Ref<Color>& b) {
    return a && b && a->isEqual(b.get());
}

// The editor's owner: its handler for a tap reads the button's state through the runtime,
// as the menu row's handler does.
struct TapObserver : rt::Object {
    static constexpr const char* kClassName = "TapObserver";
    std::vector<int> statesSeen;
};

void toggleButtonClicked(rt::Object* self, rt::Selector, rt::Object* button) {
    static_cast<TapObserver*>(self)->statesSeen.push_back(
        rt::send<int>(button, rt::sel("currentState")));
}

std::string badgeText(const ToggleButton& button) {
    return button.badgeLabel() ? button.badgeLabel()->text() : "<no badge>";
}

class ToggleButtonTest : public WidgetTest {
  protected:
    // A set-up "wifi" button on screen at (40, 40), 30 points square.
    rt::Ref<ToggleButton> makeButtonOnScreen() {
        root = rt::make<ui::View>(Rect(0, 0, 320, 480));
        auto button = rt::make<ToggleButton>();
        rt::send<void>(button, rt::sel("setupWithToggleName:uiColor:"), "wifi",
                       Color::whiteColor());
        button->setFrame(Rect(40, 40, 30, 30));
        root->addSubview(button.get());
        return button;
    }

    void tap() { ui::SimulatedFinger(root.get()).tap({55, 55}); }

    // A stack that leaves its views their own sizes, as the row of toggles does.
    static rt::Ref<ui::StackView> makeStack() {
        auto stack = rt::make<ui::StackView>(Rect(0, 0, 100, 40));
        stack->setDistribution(ui::StackView::kDistributionEqualSpacing);
        stack->setAlignment(ui::StackView::kAlignmentCenter);
        return stack;
    }

    rt::Ref<ui::View> root;
};

}  // namespace

// --- Taps ---

TEST_F(ToggleButtonTest, OneTapAdvancesAFreshButtonOnce) {
    auto button = makeButtonOnScreen();
    EXPECT_EQ(button->registrationCount(), 1u);  // init passed through initWithFrame: as well
    tap();
    EXPECT_EQ(button->currentState(), ToggleButton::kStateOn);
    EXPECT_EQ(impactCount(), 1u);
}

TEST_F(ToggleButtonTest, AButtonMadeWithAFrameRegistersItsActionOnce) {
    auto button = rt::make<ToggleButton>(Rect(0, 0, 30, 30));
    EXPECT_EQ(button->registrationCount(), 1u);
    EXPECT_EQ(button->actionsForTarget(button.get(), ui::ControlEvents::kTouchUpInside),
              (std::vector<rt::Selector>{rt::sel("checkboxSelected:")}));
}

TEST_F(ToggleButtonTest, ThreeTapsWalkOnOffAndNotSetWithOneImpactEach) {
    auto button = makeButtonOnScreen();
    const std::vector<std::string> badges = {"On", "Off", "<no badge>"};
    const std::vector<double> alphas = {0.65, 0.65, 0.3};
    for (std::size_t i = 0; i < badges.size(); ++i) {
        tap();
        EXPECT_EQ(badgeText(*button), badges[i]) << "tap " << i + 1;
        EXPECT_DOUBLE_EQ(button->alpha(), alphas[i]) << "tap " << i + 1;
        EXPECT_EQ(impactCount(), i + 1);
    }
    EXPECT_EQ(button->currentState(), ToggleButton::kStateNotSet);
    EXPECT_EQ(device::Phone::shared().impacts(), (std::vector<long long>{0, 0, 0}));
}

TEST_F(ToggleButtonTest, AnOwnersHandlerRunsAfterTheButtonsOwnAndSeesTheNewState) {
    auto button = makeButtonOnScreen();
    rt::addMethods(rt::registerClass<TapObserver>(),
                   {rt::bind<&toggleButtonClicked>("toggleButtonClicked:")});
    auto owner = rt::make<TapObserver>();
    button->addTarget(owner.get(), rt::sel("toggleButtonClicked:"),
                      ui::ControlEvents::kTouchUpInside);
    tap();
    tap();
    EXPECT_EQ(owner->statesSeen, (std::vector<int>{1, 0}));
}

TEST_F(ToggleButtonTest, NextStateLeavesAnUnknownStateAlone) {
    auto button = makeButtonOnScreen();
    button->setCurrentState(1);
    rt::send<void>(button, rt::sel("setCurrentState:"), 5);
    EXPECT_EQ(badgeText(*button), "On");  // an unknown state does not touch the badge
    EXPECT_DOUBLE_EQ(button->alpha(), 0.65);
    const std::size_t animations = animationCount();
    rt::send<void>(button, rt::sel("setNextState"));
    EXPECT_EQ(button->currentState(), 5);
    EXPECT_EQ(animationCount(), animations);
}

// --- Set-up and state display ---

TEST_F(ToggleButtonTest, SetUpShowsTheTogglesTemplateIconInTheTintNotSet) {
    auto button = makeButtonOnScreen();
    ASSERT_TRUE(button->currentImage());
    EXPECT_TRUE(button->currentImage()->isTemplate());
    EXPECT_EQ(button->currentImage()->bitmap()->rgba,
              morvane::BundleHelper::getImageWithName("wifiIcon")->bitmap()->rgba);
    EXPECT_EQ(button->imageView()->contentMode(), ui::ContentMode::ScaleAspectFit);
    EXPECT_TRUE(button->adjustsImageWhenHighlighted());
    EXPECT_EQ(rt::send<std::string>(button, rt::sel("toggleName")), "wifi");
    EXPECT_TRUE(sameColor(button->imageView()->renderingColor(), Color::whiteColor()));
    EXPECT_EQ(rt::send<int>(button, rt::sel("currentState")), -1);
    EXPECT_DOUBLE_EQ(button->alpha(), 0.3);
    EXPECT_FALSE(button->badgeLabel());
}

TEST_F(ToggleButtonTest, SettingTheSameStateAgainStillPopsAndFadesTheBadgeText) {
    auto button = makeButtonOnScreen();
    button->setCurrentState(1);
    const std::size_t before = animationCount();
    button->setCurrentState(1);
    const std::vector<ui::AnimationRecord> records = ui::AnimationLog::shared().records();
    ASSERT_EQ(records.size(), before + 2);

    const ui::AnimationRecord& fade = records[before];
    EXPECT_EQ(fade.kind, ui::AnimationRecord::Kind::Transition);
    EXPECT_EQ(fade.transitionView.lock(), button->badgeLabel());
    EXPECT_DOUBLE_EQ(fade.duration, 0.15);
    EXPECT_EQ(fade.options, 5242880u);
    EXPECT_TRUE(fade.changed(button->badgeLabel().get(), "text"));
    EXPECT_FALSE(fade.hasCompletion);

    const ui::AnimationRecord& pop = records[before + 1];
    EXPECT_EQ(pop.kind, ui::AnimationRecord::Kind::Spring);
    EXPECT_DOUBLE_EQ(pop.duration, 0.2);
    EXPECT_DOUBLE_EQ(pop.delay, 0);
    EXPECT_DOUBLE_EQ(pop.springDamping, 0.3);
    EXPECT_DOUBLE_EQ(pop.springVelocity, 7.0);
    EXPECT_EQ(pop.options, ui::AnimationOptions::kAllowUserInteraction);
    EXPECT_TRUE(pop.changed(button.get(), "transform"));
    EXPECT_FALSE(pop.hasCompletion);
    EXPECT_TRUE(button->transform().isIdentity());
}

TEST_F(ToggleButtonTest, NotSetPopsWithoutABadgeTransition) {
    auto button = makeButtonOnScreen();
    const std::size_t before = animationCount();
    button->setCurrentState(-1);
    ASSERT_EQ(animationCount(), before + 1);
    EXPECT_EQ(lastAnimation().kind, ui::AnimationRecord::Kind::Spring);
}

// --- Badge ---

TEST_F(ToggleButtonTest, BadgeGeometryAndTypeFollowTheButtonsHeight) {
    struct Case {
        double side;
        double fontSize;
        double y;
    };
    for (const Case& expected : {Case{20, 9, 18}, Case{30, 11, 29}}) {
        SCOPED_TRACE(expected.side);
        auto button = rt::make<ToggleButton>(Rect(0, 0, expected.side, expected.side));
        button->setupWithToggleName("dnd", Color::blackColor());
        button->setCurrentState(0);
        const rt::Ref<ui::Label>& badge = button->badgeLabel();
        ASSERT_TRUE(badge);
        EXPECT_EQ(badge->superview(), button);
        EXPECT_EQ(badge->frame(), Rect(0, expected.y, expected.side, 12));
        EXPECT_EQ(badge->font()->pointSize(), expected.fontSize);
        EXPECT_EQ(badge->text(), "Off");
        EXPECT_TRUE(badge->adjustsFontSizeToFitWidth());
        EXPECT_DOUBLE_EQ(badge->minimumScaleFactor(), 0.5);
        EXPECT_EQ(badge->textAlignment(), ui::TextAlignment::Center);
        EXPECT_DOUBLE_EQ(badge->layer()->cornerRadius(), 5);
        EXPECT_TRUE(badge->layer()->masksToBounds());
        EXPECT_TRUE(sameColor(badge->textColor(), Color::blackColor()));
    }
}

TEST_F(ToggleButtonTest, ABadgeMadeBeforeLayoutIsPlacedAgainButKeepsItsTypeAndColour) {
    auto button = rt::make<ToggleButton>();
    button->setupWithToggleName("vpn", Color::whiteColor());
    button->setCurrentState(1);
    EXPECT_EQ(button->badgeLabel()->frame(), Rect(0, -2, 0, 12));

    button->setFrame(Rect(0, 0, 30, 30));
    button->setTintColor(Color::blackColor());
    button->setCurrentState(0);
    EXPECT_EQ(button->badgeLabel()->frame(), Rect(0, 29, 30, 12));
    EXPECT_EQ(button->badgeLabel()->font()->pointSize(), 9);
    EXPECT_TRUE(sameColor(button->badgeLabel()->textColor(), Color::whiteColor()));
}

TEST_F(ToggleButtonTest, NotSetRemovesTheBadgeAndANewOneIsMadeLater) {
    auto button = makeButtonOnScreen();
    button->setCurrentState(1);
    const rt::Ref<ui::Label> first = button->badgeLabel();
    button->setCurrentState(-1);
    EXPECT_FALSE(button->badgeLabel());
    EXPECT_FALSE(first->superview());
    button->setTintColor(Color::blackColor());
    button->setCurrentState(0);
    ASSERT_TRUE(button->badgeLabel());
    EXPECT_NE(button->badgeLabel(), first);
    EXPECT_TRUE(sameColor(button->badgeLabel()->textColor(), Color::blackColor()));
}

TEST_F(ToggleButtonTest, BadgeTextBySelectorTakesAStringOrNil) {
    auto button = makeButtonOnScreen();
    rt::send<void>(button, rt::sel("setBadgeWithText:"), rt::make<ui::BoxedString>("On"));
    EXPECT_EQ(badgeText(*button), "On");
    rt::send<void>(button, rt::sel("setBadgeWithText:"), nullptr);
    EXPECT_FALSE(button->badgeLabel());
}

// --- Size and row membership ---

TEST_F(ToggleButtonTest, SizeConstraintsMakeASquareAndALaterSizeReplacesTheEarlier) {
    auto stack = makeStack();
    auto button = rt::make<ToggleButton>();
    button->setupWithToggleName("wifi", Color::whiteColor());
    button->setHasToBeShown(true);
    button->addToStackViewIfNeeded(stack.get());

    for (double size : {20.0, 30.0, 24.0}) {
        rt::send<void>(button, rt::sel("setConstraintsForSize:"), size);
        stack->layoutIfNeeded();
        EXPECT_EQ(button->frame().size, (ui::Size{size, size})) << size;
        EXPECT_DOUBLE_EQ(button->buttonSize(), size);
        EXPECT_EQ(button->constraints().size(), 2u) << "earlier size constraints are removed";
    }
    const double* stored = rt::fieldPointer<double>(button.get(), "buttonSize");
    ASSERT_TRUE(stored);
    EXPECT_DOUBLE_EQ(*stored, 24);
}

TEST_F(ToggleButtonTest, ANegativeSizeCountsAsZero) {
    auto stack = makeStack();
    auto button = rt::make<ToggleButton>();
    button->setHasToBeShown(true);
    button->addToStackViewIfNeeded(stack.get());
    button->setConstraintsForSize(-3);
    stack->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(button->buttonSize(), 0);
    EXPECT_EQ(button->frame().size, (ui::Size{0, 0}));
}

TEST_F(ToggleButtonTest, OnlyAButtonToBeShownJoinsAStack) {
    auto stack = rt::make<ui::StackView>(Rect(0, 0, 100, 40));
    auto button = rt::make<ToggleButton>();
    rt::send<void>(button, rt::sel("addToStackViewIfNeeded:"), stack);
    EXPECT_TRUE(stack->arrangedSubviews().empty());
    EXPECT_FALSE(button->superview());

    rt::send<void>(button, rt::sel("setHasToBeShown:"), true);
    EXPECT_TRUE(rt::send<bool>(button, rt::sel("hasToBeShown")));
    rt::send<void>(button, rt::sel("addToStackViewIfNeeded:"), stack);
    EXPECT_EQ(stack->arrangedSubviews(), (std::vector<rt::Ref<ui::View>>{button}));
}

TEST_F(ToggleButtonTest, WithoutTheBundleAButtonHasNoIconAndStillWorks) {
    boot({}, /*withBundle=*/false);
    auto button = makeButtonOnScreen();
    EXPECT_FALSE(button->currentImage());
    tap();
    EXPECT_EQ(button->currentState(), 1);
}
