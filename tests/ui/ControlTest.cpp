#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolkitFixture.h"
#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/Button.h"
#include "ui/Event.h"
#include "ui/SimulatedFinger.h"
#include "ui/Slider.h"
#include "ui/TouchSet.h"

using ui::Button;
using ui::ControlEvents;
using ui::Rect;
using ui::Slider;

namespace {

// A target that notes each action it receives, with the touch phase of the event.
struct Recorder : rt::Object {
    static constexpr const char* kClassName = "Recorder";
    std::vector<std::string> calls;
    std::vector<long> phases;
    std::vector<float> values;
};

Recorder& asRecorder(rt::Object* self) {
    return static_cast<Recorder&>(*self);
}

void tapped(rt::Object* self, rt::Selector) {
    asRecorder(self).calls.push_back("tapped");
}

void tappedWithSender(rt::Object* self, rt::Selector, rt::Object* sender) {
    asRecorder(self).calls.push_back(sender ? "sender" : "no sender");
}

void second(rt::Object* self, rt::Selector, rt::Object*) {
    asRecorder(self).calls.push_back("second");
}

// Reads the event the way the tweak's slider handler does: allTouches, anyObject, phase.
void valueChanged(rt::Object* self, rt::Selector, rt::Object* sender, rt::Object* event) {
    auto touches = rt::send<rt::Ref<rt::Object>>(event, rt::sel("allTouches"));
    auto touch = rt::send<rt::Ref<rt::Object>>(touches, rt::sel("anyObject"));
    asRecorder(self).phases.push_back(
        static_cast<long>(rt::send<long long>(touch, rt::sel("phase"))));
    asRecorder(self).values.push_back(rt::cast<Slider>(sender)->value());
}

class ControlTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        rt::Class* cls = rt::registerClass<Recorder>();
        rt::addMethods(cls, {rt::bind<&tapped>("tapped")});
        rt::addMethods(cls, {rt::bind<&tappedWithSender>("tapped:")});
        rt::addMethods(cls, {rt::bind<&second>("second:")});
        rt::addMethods(cls, {rt::bind<&valueChanged>("valueChanged:forEvent:")});
        root = rt::make<ui::View>(Rect(0, 0, 320, 480));
    }

    rt::Ref<ui::View> root;
};

TEST_F(ControlTest, ActionsRunInRegistrationOrderWithTheArgumentsTheirSelectorsTake) {
    auto button = Button::buttonWithType(Button::Type::System);
    auto recorder = rt::make<Recorder>();
    button->addTarget(recorder.get(), rt::sel("tapped:"), ControlEvents::kTouchUpInside);
    button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    button->addTarget(recorder.get(), rt::sel("second:"),
                      ControlEvents::kTouchUpInside | ControlEvents::kValueChanged);
    button->sendActionsForControlEvents(ControlEvents::kTouchUpInside);
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"sender", "tapped", "second"}));

    recorder->calls.clear();
    button->sendActionsForControlEvents(ControlEvents::kValueChanged);
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"second"}));
}

TEST_F(ControlTest, TheSameTargetAndActionAddedTwiceRunsOnce) {
    auto button = rt::make<Button>();
    auto recorder = rt::make<Recorder>();
    button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    EXPECT_EQ(button->registrationCount(), 1u);
    button->sendActionsForControlEvents(ControlEvents::kTouchUpInside);
    EXPECT_EQ(recorder->calls.size(), 1u);

    button->addTarget(recorder.get(), rt::sel("tapped"),
                      ControlEvents::kTouchDown);  // merged into the same one
    EXPECT_EQ(button->registrationCount(), 1u);
    EXPECT_EQ(button->allControlEvents(),
              ControlEvents::kTouchUpInside | ControlEvents::kTouchDown);
    button->removeTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    button->sendActionsForControlEvents(ControlEvents::kTouchUpInside);
    EXPECT_EQ(recorder->calls.size(), 1u);
}

TEST_F(ControlTest, TargetsAreHeldWeaklyAndAGoneTargetIsSkipped) {
    auto button = rt::make<Button>();
    rt::Weak<Recorder> weak;
    {
        auto recorder = rt::make<Recorder>();
        weak = recorder;
        button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    }
    EXPECT_TRUE(weak.expired());
    EXPECT_NO_THROW(button->sendActionsForControlEvents(ControlEvents::kTouchUpInside));
    EXPECT_EQ(button->registrationCount(), 0u);
}

TEST_F(ControlTest, ATapHighlightsThenSendsTouchUpInside) {
    auto button = rt::make<Button>(Rect(10, 10, 40, 40));
    root->addSubview(button.get());
    auto recorder = rt::make<Recorder>();
    button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);

    ui::SimulatedFinger finger(root.get());
    EXPECT_EQ(finger.touchDown({20, 20}), button);
    EXPECT_TRUE(button->isHighlighted());
    EXPECT_TRUE(recorder->calls.empty());
    finger.lift();
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(recorder->calls.size(), 1u);
}

TEST_F(ControlTest, LiftingFarAwaySendsTouchUpOutsideAndADisabledControlDoesNothing) {
    auto button = rt::make<Button>(Rect(10, 10, 40, 40));
    root->addSubview(button.get());
    auto recorder = rt::make<Recorder>();
    button->addTarget(recorder.get(), rt::sel("tapped"), ControlEvents::kTouchUpInside);
    button->addTarget(recorder.get(), rt::sel("second:"), ControlEvents::kTouchUpOutside);

    ui::SimulatedFinger finger(root.get());
    finger.touchDown({20, 20});
    finger.moveTo({100, 20});  // within the 70-point tracking margin: still inside
    EXPECT_TRUE(button->isHighlighted());
    finger.moveTo({200, 300});
    EXPECT_FALSE(button->isHighlighted());
    finger.lift();
    EXPECT_EQ(recorder->calls, std::vector<std::string>{"second"});

    recorder->calls.clear();
    button->setEnabled(false);
    finger.tap({20, 20});
    EXPECT_TRUE(recorder->calls.empty());
}

// A button subclass whose setHighlighted: override notes each call on an attached recorder.
struct PlainButton : Button {
    static constexpr const char* kClassName = "PlainButton";
};

constexpr char kRecorderKey = 0;

void noteHighlighted(rt::Object* self, rt::Selector, bool highlighted) {
    static_cast<Recorder*>(rt::getAssociatedObject(self, &kRecorderKey))
        ->calls.push_back(highlighted ? "on" : "off");
    static_cast<ui::Control*>(self)->setHighlighted(highlighted);
}

TEST_F(ControlTest, AnOverriddenSetHighlightedIsCalledByTheToolkit) {
    rt::Class* cls = rt::registerClass<PlainButton, Button>();
    rt::addMethods(cls, {rt::bind<&noteHighlighted>("setHighlighted:")});
    auto button = rt::make<PlainButton>();
    button->setFrame(Rect(0, 0, 30, 30));
    root->addSubview(button.get());
    auto recorder = rt::make<Recorder>();
    rt::setAssociatedObject(button.get(), &kRecorderKey, recorder);

    ui::SimulatedFinger(root.get()).tap({5, 5});
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"on", "off"}));
}

TEST_F(ControlTest, ASliderDragSendsValueChangesCarryingTheTouchInItsPhase) {
    auto slider = rt::make<Slider>(Rect(0, 0, 128, 30));  // a 100-point track
    root->addSubview(slider.get());
    auto recorder = rt::make<Recorder>();
    slider->addTarget(recorder.get(), rt::sel("valueChanged:forEvent:"),
                      ControlEvents::kValueChanged);
    slider->setValue(0.2f);

    ui::SimulatedFinger finger(root.get());
    ASSERT_EQ(finger.touchDown({34, 15}), slider);
    finger.moveTo({44, 15});
    finger.moveTo({56, 15});
    finger.lift();

    EXPECT_EQ(recorder->phases, (std::vector<long>{0, 1, 1, 3}));
    ASSERT_EQ(recorder->values.size(), 4u);
    EXPECT_FLOAT_EQ(recorder->values[0], 0.2f);
    EXPECT_FLOAT_EQ(recorder->values[1], 0.3f);
    EXPECT_FLOAT_EQ(recorder->values[2], 0.42f);
    EXPECT_FLOAT_EQ(recorder->values[3], 0.42f);
    EXPECT_FALSE(slider->isTracking());
}

TEST_F(ControlTest, ANonContinuousSliderReportsOnlyTheStartAndTheEndAndValuesStayInRange) {
    auto slider = rt::make<Slider>(Rect(0, 0, 128, 30));
    root->addSubview(slider.get());
    slider->setContinuous(false);
    auto recorder = rt::make<Recorder>();
    slider->addTarget(recorder.get(), rt::sel("valueChanged:forEvent:"),
                      ControlEvents::kValueChanged);

    ui::SimulatedFinger(root.get()).drag({10, 15}, {400, 15});
    EXPECT_EQ(recorder->phases, (std::vector<long>{0, 3}));
    EXPECT_FLOAT_EQ(slider->value(), 1.0f);

    slider->setValue(-3);
    EXPECT_FLOAT_EQ(slider->value(), 0.0f);
    slider->setMinimumValue(0.5f);
    EXPECT_FLOAT_EQ(slider->value(), 0.5f);
    slider->setMaximumValue(0.25f);  // the minimum follows it down
    EXPECT_FLOAT_EQ(slider->minimumValue(), 0.25f);
    EXPECT_FLOAT_EQ(slider->value(), 0.25f);
}

TEST_F(ControlTest, ACancelledDragReportsTheCancelledPhase) {
    auto slider = rt::make<Slider>(Rect(0, 0, 128, 30));
    root->addSubview(slider.get());
    auto recorder = rt::make<Recorder>();
    slider->addTarget(recorder.get(), rt::sel("valueChanged:forEvent:"),
                      ControlEvents::kValueChanged);
    ui::SimulatedFinger finger(root.get());
    finger.touchDown({20, 15});
    finger.cancel();
    EXPECT_EQ(recorder->phases, (std::vector<long>{0, 4}));
}

TEST_F(ControlTest, ButtonsShowTheirStateImageAndDimItWhenHighlighted) {
    auto button = Button::buttonWithType(Button::Type::System);
    EXPECT_EQ(button->buttonType(), Button::Type::System);
    auto normal = rt::make<ui::Image>();
    auto selected = rt::make<ui::Image>();
    button->setImage(normal, ui::ControlState::kNormal);
    button->setImage(selected, ui::ControlState::kSelected);
    auto imageView = button->imageView();
    EXPECT_EQ(imageView->image(), normal);
    button->setSelected(true);
    EXPECT_EQ(imageView->image(), selected);
    button->setSelected(false);
    button->setHighlighted(true);
    EXPECT_EQ(imageView->image(), normal);  // no highlighted image: the normal one
    EXPECT_TRUE(imageView->isDimmed());
    button->setAdjustsImageWhenHighlighted(false);
    EXPECT_FALSE(imageView->isDimmed());

    button->setFrame(Rect(0, 0, 28, 40));
    button->layoutIfNeeded();
    EXPECT_EQ(imageView->frame(), Rect(0, 0, 28, 40));
    EXPECT_FALSE(imageView->isUserInteractionEnabled());
}

}  // namespace
