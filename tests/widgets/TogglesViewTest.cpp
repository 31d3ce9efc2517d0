#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "WidgetFixture.h"
#include "rt/Fields.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "tweak/controls/ToggleCatalogue.h"
#include "tweak/widgets/TogglesView.h"
#include "ui/SimulatedFinger.h"

using morvane::ToggleButton;
using morvane::TogglesView;
using ui::Color;
using ui::Rect;

namespace {

const std::vector<std::string> kRowOrder = {
    "orientationLock", "cellular",       "wifi",     "bluetooth", "airplane",   "dnd",
    "location",        "autoBrightness", "autoLock", "lowPower",  "nightShift", "vpn"};

bool sameColorAsWhite(const rt::Ref<Color>& color) {
    return color && color->isEqual(Color::whiteColor().get());
}

class TogglesViewTest : public WidgetTest {
  protected:
    rt::Ref<TogglesView> makeRow(const Rect& frame, std::initializer_list<const char*> shown) {
        auto view = rt::make<TogglesView>(frame, Color::whiteColor());
        for (const char* name : shown) view->toggleButton(name)->setHasToBeShown(true);
        rt::send<void>(view, rt::sel("addEnabledButtonsToStackView"));
        view->layoutIfNeeded();
        return view;
    }

    static std::vector<std::string> namesInRow(const TogglesView& view) {
        std::vector<std::string> names;
        for (const rt::Ref<ui::View>& arranged : view.togglesStackView()->arrangedSubviews()) {
            names.push_back(rt::cast<ToggleButton>(arranged.get())->toggleName());
        }
        return names;
    }

    static void showAll(TogglesView& view) {
        for (const std::string& name : kRowOrder) view.toggleButton(name)->setHasToBeShown(true);
    }
};

}  // namespace

// --- Set-up ---

TEST_F(TogglesViewTest, SetUpMakesTwelveButtonsNotSetAndPutsNoneOnScreen) {
    auto view = rt::make<TogglesView>(Rect(0, 0, 300, 30), Color::whiteColor());
    for (const std::string& name : kRowOrder) {
        SCOPED_TRACE(name);
        auto button = rt::cast<ToggleButton>(
            rt::send<rt::Ref<rt::Object>>(view, rt::sel(name + "ToggleButton")));
        ASSERT_TRUE(button);
        EXPECT_EQ(button, view->toggleButton(name));
        EXPECT_EQ(rt::getField(view.get(), "_" + name + "ToggleButton"), button.get());
        EXPECT_EQ(button->toggleName(), name);
        EXPECT_EQ(button->currentState(), ToggleButton::kStateNotSet);
        EXPECT_FALSE(button->hasToBeShown());
        EXPECT_FALSE(button->superview());
        EXPECT_TRUE(sameColorAsWhite(button->tintColor()));
    }
    EXPECT_TRUE(view->togglesStackView()->arrangedSubviews().empty());
}

TEST_F(TogglesViewTest, TheStackFillsTheViewAndSpreadsItsButtonsCentred) {
    auto view = rt::make<TogglesView>(Rect(10, 20, 250, 16), Color::blackColor());
    const rt::Ref<ui::StackView>& stack = view->togglesStackView();
    EXPECT_EQ(stack->axis(), ui::StackView::kAxisHorizontal);
    EXPECT_EQ(stack->distribution(), ui::StackView::kDistributionEqualSpacing);
    EXPECT_EQ(stack->alignment(), ui::StackView::kAlignmentCenter);
    EXPECT_EQ(stack->spacing(), 0);
    EXPECT_FALSE(stack->translatesAutoresizingMaskIntoConstraints());
    EXPECT_EQ(stack->superview(), view);
    EXPECT_EQ(view->constraints().size(), 4u);  // two edges per axis
    view->layoutIfNeeded();
    EXPECT_EQ(stack->frame(), Rect(0, 0, 250, 16));

    view->setFrame(Rect(0, 0, 120, 40));
    view->layoutIfNeeded();
    EXPECT_EQ(stack->frame(), Rect(0, 0, 120, 40));
}

TEST_F(TogglesViewTest, ButtonAccessorsBySelectorReplaceTheButtonOfTheirToggle) {
    auto view = rt::make<TogglesView>(Rect(0, 0, 300, 30), Color::whiteColor());
    auto replacement = rt::make<ToggleButton>();
    replacement->setupWithToggleName("dnd", Color::blackColor());
    rt::send<void>(view, rt::sel("setDndToggleButton:"), replacement);
    EXPECT_EQ(view->toggleButton("dnd"), replacement);
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(view, rt::sel("dndToggleButton")), replacement);
    EXPECT_NE(view->toggleButton("vpn"), replacement);
    EXPECT_FALSE(view->toggleButton("noSuchToggle"));
}

TEST_F(TogglesViewTest, AColourChangedLaterDoesNotRecolourTheButtons) {
    auto view = rt::make<TogglesView>(Rect(0, 0, 300, 30), Color::whiteColor());
    rt::send<void>(view, rt::sel("setUiColor:"), Color::blackColor());
    EXPECT_TRUE(rt::cast<Color>(rt::send<rt::Ref<rt::Object>>(view, rt::sel("uiColor")))
                    ->isEqual(Color::blackColor().get()));
    EXPECT_TRUE(sameColorAsWhite(view->toggleButton("wifi")->tintColor()));
}

TEST_F(TogglesViewTest, AViewMadeWithoutAFrameIsSetUpToo) {
    auto made = rt::makeOfClass(rt::lookUpClass(TogglesView::kClassName));
    auto view = rt::cast<TogglesView>(made);
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->toggleButton("wifi"));
    showAll(*view);
    view->addEnabledButtonsToStackView();
    view->layoutIfNeeded();
    EXPECT_EQ(view->toggleButton("wifi")->buttonSize(), 0);
}

// --- Rebuilding the row ---

TEST_F(TogglesViewTest, TheRowKeepsItsOwnOrderWhateverTheOrderOfMarking) {
    auto view = makeRow(Rect(0, 0, 300, 30), {"bluetooth", "orientationLock"});
    EXPECT_EQ(namesInRow(*view), (std::vector<std::string>{"orientationLock", "bluetooth"}));
    view->toggleButton("wifi")->setHasToBeShown(true);
    view->addEnabledButtonsToStackView();
    EXPECT_EQ(namesInRow(*view),
              (std::vector<std::string>{"orientationLock", "wifi", "bluetooth"}));
    showAll(*view);
    view->addEnabledButtonsToStackView();
    EXPECT_EQ(namesInRow(*view), kRowOrder);
}

TEST_F(TogglesViewTest, ButtonSizeIsTheShareOfTheWidthLessFourAtMostThirty) {
    auto twelve = rt::make<TogglesView>(Rect(0, 0, 300, 30), Color::whiteColor());
    showAll(*twelve);
    twelve->addEnabledButtonsToStackView();
    twelve->layoutIfNeeded();
    for (const std::string& name : kRowOrder) {
        EXPECT_DOUBLE_EQ(twelve->toggleButton(name)->buttonSize(), 21) << name;
        EXPECT_EQ(twelve->toggleButton(name)->frame().size, (ui::Size{21, 21})) << name;
    }
    auto one = makeRow(Rect(0, 0, 300, 30), {"vpn"});
    EXPECT_DOUBLE_EQ(one->toggleButton("vpn")->buttonSize(), 30);
    EXPECT_EQ(one->toggleButton("vpn")->frame(),
              Rect(0, 0, 30, 30));  // one view alone stands at the start
}

TEST_F(TogglesViewTest, ThreeTwentyPointButtonsSpreadOverSeventyTwoPointsCentredVertically) {
    auto view = makeRow(Rect(0, 0, 72, 16), {"wifi", "dnd", "cellular"});
    EXPECT_EQ(view->toggleButton("cellular")->frame(), Rect(0, -2, 20, 20));
    EXPECT_EQ(view->toggleButton("wifi")->frame(), Rect(26, -2, 20, 20));
    EXPECT_EQ(view->toggleButton("dnd")->frame(), Rect(52, -2, 20, 20));
}

TEST_F(TogglesViewTest, ARowTooNarrowForItsButtonsGivesThemSizeZero) {
    auto view = rt::make<TogglesView>(Rect(0, 0, 40, 16), Color::whiteColor());
    showAll(*view);
    view->addEnabledButtonsToStackView();
    view->layoutIfNeeded();
    for (const std::string& name : kRowOrder) {
        EXPECT_DOUBLE_EQ(view->toggleButton(name)->buttonSize(), 0) << name;
        EXPECT_EQ(view->toggleButton(name)->frame().size, (ui::Size{0, 0})) << name;
    }
    EXPECT_DOUBLE_EQ(TogglesView::buttonSizeFor(200, 12), 200.0 / 12 - 4);
    EXPECT_DOUBLE_EQ(TogglesView::buttonSizeFor(47, 12), 0);
}

TEST_F(TogglesViewTest, WithNoButtonMarkedTheRowIsEmptyAndNoSizeIsGiven) {
    auto view = makeRow(Rect(0, 0, 300, 30), {});
    EXPECT_TRUE(view->togglesStackView()->arrangedSubviews().empty());
    EXPECT_TRUE(view->togglesStackView()->subviews().empty());
    for (const std::string& name : kRowOrder)
        EXPECT_TRUE(view->toggleButton(name)->constraints().empty()) << name;
}

TEST_F(TogglesViewTest, ARebuildDropsAButtonNoLongerShownAndBringsTheSameOneBackWithItsState) {
    auto view = makeRow(Rect(0, 0, 300, 30), {"wifi", "vpn"});
    const rt::Ref<ToggleButton> wifi = view->toggleButton("wifi");
    wifi->setCurrentState(0);

    wifi->setHasToBeShown(false);
    view->addEnabledButtonsToStackView();
    EXPECT_EQ(namesInRow(*view), (std::vector<std::string>{"vpn"}));
    EXPECT_FALSE(wifi->superview());
    EXPECT_EQ(view->toggleButton("wifi"), wifi);

    wifi->setHasToBeShown(true);
    view->addEnabledButtonsToStackView();
    EXPECT_EQ(namesInRow(*view), (std::vector<std::string>{"wifi", "vpn"}));
    EXPECT_EQ(view->togglesStackView()->arrangedSubviews().front(), wifi);
    EXPECT_EQ(wifi->currentState(), 0);
    EXPECT_EQ(wifi->constraints().size(), 2u);  // resized, not given a second size
}

TEST_F(TogglesViewTest, TappingAButtonInTheLaidOutRowAdvancesOnlyThatButton) {
    auto root = rt::make<ui::View>(Rect(0, 0, 320, 480));
    auto view = makeRow(Rect(10, 100, 72, 16), {"wifi", "dnd", "cellular"});
    root->addSubview(view.get());
    root->layoutIfNeeded();
    ui::SimulatedFinger(root.get()).tap({10 + 26 + 10, 100 + 8});  // the middle button, "wifi"
    EXPECT_EQ(view->toggleButton("wifi")->currentState(), 1);
    EXPECT_EQ(view->toggleButton("cellular")->currentState(), -1);
    EXPECT_EQ(view->toggleButton("dnd")->currentState(), -1);
    EXPECT_EQ(impactCount(), 1u);
}
