#include <gtest/gtest.h>

#include <vector>

#include "WidgetFixture.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "tweak/widgets/SliderView.h"
#include "ui/ControlEvents.h"
#include "ui/Event.h"
#include "ui/SimulatedFinger.h"
#include "ui/TouchSet.h"

using morvane::SliderView;
using ui::Color;
using ui::Rect;

namespace {

bool sameColor(const rt::Ref<Color>& a, const rt::Ref<Color>& b) {
    return a && b && a->isEqual(b.get());
}

// A stand-in for the menu row that owns the editor: it notes each value change of the slider
// with the touch phase it carries, and each press of the remove button.
struct EditorOwner : rt::Object {
    static constexpr const char* kClassName = "EditorOwner";
    std::vector<long long> phases;
    std::vector<float> values;
    int removals = 0;
};

void sliderChanged(rt::Object* self, rt::Selector, rt::Object* slider, rt::Object* event) {
    auto touches = rt::send<rt::Ref<rt::Object>>(event, rt::sel("allTouches"));
    auto touch = rt::send<rt::Ref<rt::Object>>(touches, rt::sel("anyObject"));
    static_cast<EditorOwner*>(self)->phases.push_back(rt::send<long long>(touch, rt::sel("phase")));
    static_cast<EditorOwner*>(self)->values.push_back(rt::cast<ui::Slider>(slider)->value());
}

void removePressed(rt::Object* self, rt::Selector, rt::Object*) {
    ++static_cast<EditorOwner*>(self)->removals;
}

class SliderViewTest : public WidgetTest {
  protected:
    void SetUp() override {
        WidgetTest::SetUp();
        view = rt::make<SliderView>(Rect(16, 57, 220, 48));
    }

    rt::Ref<SliderView> view;
};

}  // namespace

TEST_F(SliderViewTest, ChildrenArePlacedFromTheFrameGivenAtCreation) {
    EXPECT_EQ(view->slider()->frame(), Rect(0, 0, 180, 48));
    EXPECT_EQ(view->percentLabel()->frame(), Rect(180, 0, 40, 48));
    EXPECT_EQ(view->removeButton()->frame(), Rect(187, 0, 28, 48));
    // Later children lie above earlier ones: the remove button covers the label.
    ASSERT_EQ(view->subviews().size(), 3u);
    EXPECT_EQ(view->subviews()[0], view->slider());
    EXPECT_EQ(view->subviews()[1], view->percentLabel());
    EXPECT_EQ(view->subviews()[2], view->removeButton());
}

TEST_F(SliderViewTest, ResizingTheViewLaterMovesNoChild) {
    view->setFrame(Rect(0, 0, 300, 60));
    view->layoutIfNeeded();
    EXPECT_EQ(view->slider()->frame(), Rect(0, 0, 180, 48));
    EXPECT_EQ(view->percentLabel()->frame(), Rect(180, 0, 40, 48));
    EXPECT_EQ(view->removeButton()->frame(), Rect(187, 0, 28, 48));
}

TEST_F(SliderViewTest, ChildrenStartWithTheirAppearance) {
    const rt::Ref<ui::Slider>& slider = view->slider();
    EXPECT_TRUE(sameColor(slider->backgroundColor(), Color::clearColor()));
    EXPECT_TRUE(sameColor(slider->tintColor(), Color::darkGrayColor()));
    EXPECT_EQ(slider->minimumValue(), 0.0f);
    EXPECT_EQ(slider->maximumValue(), 1.0f);
    EXPECT_TRUE(slider->isContinuous());

    const rt::Ref<ui::Label>& label = view->percentLabel();
    EXPECT_EQ(label->text(), "100%");
    EXPECT_EQ(label->font()->pointSize(), 13);
    EXPECT_FALSE(label->font()->isBold());
    EXPECT_EQ(label->textAlignment(), ui::TextAlignment::Center);

    const rt::Ref<ui::Button>& button = view->removeButton();
    EXPECT_EQ(button->buttonType(), ui::Button::Type::System);
    ASSERT_TRUE(button->imageForState(ui::ControlState::kNormal));
    EXPECT_TRUE(button->imageForState(ui::ControlState::kNormal)->isTemplate());
    EXPECT_EQ(button->imageView()->contentMode(), ui::ContentMode::ScaleAspectFit);
    EXPECT_EQ(button->titleForState(ui::ControlState::kNormal), "");
    EXPECT_FALSE(view->sliderIsDragging());
}

TEST_F(SliderViewTest, ANewViewShowsThePercentageAndTheRemoveIconTogether) {
    EXPECT_EQ(view->percentLabel()->alpha(), 1);
    EXPECT_EQ(view->removeButton()->alpha(), 1);
    EXPECT_FALSE(view->percentLabel()->isHidden());
    EXPECT_FALSE(view->removeButton()->isHidden());
}

TEST_F(SliderViewTest, ShowingThePercentageCrossFadesInOneAnimation) {
    const std::size_t before = animationCount();
    rt::send<void>(view, rt::sel("showPercentLabelAnimated:"), true);
    ASSERT_EQ(animationCount(), before + 1);
    const ui::AnimationRecord fade = lastAnimation();
    EXPECT_DOUBLE_EQ(fade.duration, 0.3);
    EXPECT_FALSE(fade.hasCompletion);
    EXPECT_TRUE(fade.changed(view->percentLabel().get(), "alpha"));
    EXPECT_TRUE(fade.changed(view->removeButton().get(), "alpha"));
    EXPECT_EQ(view->percentLabel()->alpha(), 1);
    EXPECT_EQ(view->removeButton()->alpha(), 0);

    view->showPercentLabelAnimated(true);  // a second call leaves the same state
    EXPECT_EQ(view->percentLabel()->alpha(), 1);
    EXPECT_EQ(view->removeButton()->alpha(), 0);
}

TEST_F(SliderViewTest, ShowingTheRemoveButtonWithoutAnimationHoldsAtOnce) {
    rt::send<void>(view, rt::sel("showRemoveButtonAnimated:"), false);
    EXPECT_DOUBLE_EQ(lastAnimation().duration, 0);
    EXPECT_EQ(view->removeButton()->alpha(), 1);
    EXPECT_EQ(view->percentLabel()->alpha(), 0);
    view->showPercentLabelAnimated(false);
    EXPECT_EQ(view->removeButton()->alpha(), 0);
    EXPECT_EQ(view->percentLabel()->alpha(), 1);
}

TEST_F(SliderViewTest, WhiteColoursEverythingAndOtherColoursLeaveTheSliderDarkGrey) {
    rt::send<void>(view, rt::sel("setUIElementsColor:"), Color::whiteColor());
    EXPECT_TRUE(sameColor(view->slider()->tintColor(), Color::whiteColor()));
    EXPECT_TRUE(sameColor(view->percentLabel()->textColor(), Color::whiteColor()));
    EXPECT_TRUE(sameColor(view->removeButton()->tintColor(), Color::whiteColor()));
    EXPECT_TRUE(
        sameColor(view->removeButton()->imageView()->renderingColor(), Color::whiteColor()));

    auto other = rt::make<SliderView>(Rect(0, 0, 220, 48));
    other->setUIElementsColor(Color::blackColor());
    EXPECT_TRUE(sameColor(other->percentLabel()->textColor(), Color::blackColor()));
    EXPECT_TRUE(
        sameColor(other->removeButton()->imageView()->renderingColor(), Color::blackColor()));
    EXPECT_TRUE(sameColor(other->slider()->tintColor(), Color::darkGrayColor()));

    // White made from red, green and blue is another colour than the system white.
    other->setUIElementsColor(Color::colorWithRed(1, 1, 1, 1));
    EXPECT_TRUE(sameColor(other->slider()->tintColor(), Color::darkGrayColor()));
}

TEST_F(SliderViewTest, AccessorsAnswerBySelector) {
    EXPECT_FALSE(rt::send<bool>(view, rt::sel("sliderIsDragging")));
    rt::send<void>(view, rt::sel("setSliderIsDragging:"), true);
    EXPECT_TRUE(view->sliderIsDragging());
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(view, rt::sel("slider")), view->slider());
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(view, rt::sel("percentLabel")), view->percentLabel());
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(view, rt::sel("removeButton")), view->removeButton());
    EXPECT_EQ(rt::getField(view.get(), "_slider"), view->slider().get());
}

TEST_F(SliderViewTest, ADragOnTheEditorsSliderReportsItsPhasesAndValues) {
    rt::addMethods(rt::registerClass<EditorOwner>(),
                   {rt::bind<&sliderChanged>("onSliderValChanged:forEvent:")});
    auto owner = rt::make<EditorOwner>();
    auto root = rt::make<ui::View>(Rect(0, 0, 320, 480));
    root->addSubview(view.get());
    view->slider()->setValue(0.5f);
    view->slider()->addTarget(owner.get(), rt::sel("onSliderValChanged:forEvent:"),
                              ui::ControlEvents::kValueChanged);

    // The track is 180 - 28 points long: 76 points move the value by one half.
    ui::SimulatedFinger(root.get()).drag({16 + 90, 57 + 24}, {16 + 90 - 76, 57 + 24}, 2);
    ASSERT_GE(owner->phases.size(), 3u);
    EXPECT_EQ(owner->phases.front(), 0);
    EXPECT_EQ(owner->phases[1], 1);
    EXPECT_EQ(owner->phases.back(), 3);
    EXPECT_FLOAT_EQ(owner->values.front(), 0.5f);
    EXPECT_FLOAT_EQ(owner->values.back(), 0.0f);
}

TEST_F(SliderViewTest, TheRemoveButtonTakesTouchesOnlyWhileItIsShown) {
    rt::Class* cls = rt::registerClass<EditorOwner>();
    rt::addMethods(cls, {rt::bind<&removePressed>("removeButtonClicked:")});
    auto owner = rt::make<EditorOwner>();
    auto root = rt::make<ui::View>(Rect(0, 0, 320, 480));
    root->addSubview(view.get());
    view->removeButton()->addTarget(owner.get(), rt::sel("removeButtonClicked:"),
                                    ui::ControlEvents::kTouchUpInside);
    const ui::Point onButton{16 + 201, 57 + 24};

    view->showPercentLabelAnimated(false);
    ui::SimulatedFinger(root.get()).tap(onButton);
    EXPECT_EQ(owner->removals, 0);

    view->showRemoveButtonAnimated(false);
    ui::SimulatedFinger(root.get()).tap(onButton);
    EXPECT_EQ(owner->removals, 1);
}

TEST_F(SliderViewTest, WithoutTheBundleTheRemoveButtonHasNoIcon) {
    boot({}, /*withBundle=*/false);
    auto bare = rt::make<SliderView>(Rect(0, 0, 220, 48));
    EXPECT_FALSE(bare->removeButton()->imageForState(ui::ControlState::kNormal));
    EXPECT_EQ(bare->removeButton()->frame(), Rect(187, 0, 28, 48));
}
