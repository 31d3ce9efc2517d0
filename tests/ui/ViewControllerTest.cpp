#include <string>
#include <vector>

#include "ToolkitFixture.h"
#include "core/dispatch/Clock.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace {

std::vector<std::string> gCalls;

void recordLoadView(rt::Object* self, rt::Selector) {
    gCalls.push_back("loadView");
    static_cast<ui::ViewController*>(self)->setView(rt::make<ui::View>().get());
}
void recordDidLoad(rt::Object*, rt::Selector) {
    gCalls.push_back("viewDidLoad");
}
void recordWillLayout(rt::Object*, rt::Selector) {
    gCalls.push_back("viewWillLayoutSubviews");
}
void recordDidLayout(rt::Object*, rt::Selector) {
    gCalls.push_back("viewDidLayoutSubviews");
}
void recordLayout(rt::Object*, rt::Selector) {
    gCalls.push_back("layoutSubviews");
}

class ViewControllerTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        gCalls.clear();
        rt::Class* controllers = rt::lookUpClass("UIViewController");
        rt::Class* menuClass = rt::Runtime::registerClass("MenuController", controllers);
        rt::addMethods(menuClass, {rt::bind<&recordLoadView>("loadView")});
        rt::addMethods(menuClass, {rt::bind<&recordDidLoad>("viewDidLoad")});
        rt::addMethods(menuClass, {rt::bind<&recordWillLayout>("viewWillLayoutSubviews")});
        rt::addMethods(menuClass, {rt::bind<&recordDidLayout>("viewDidLayoutSubviews")});
        controller = rt::cast<ui::ViewController>(rt::makeOfClass(menuClass));
        rt::Class* viewClass =
            rt::Runtime::registerClass("RecordingView", rt::lookUpClass("UIView"));
        rt::addMethods(viewClass, {rt::bind<&recordLayout>("layoutSubviews")});
        recordingView = rt::cast<ui::View>(rt::makeOfClass(viewClass));
    }
    rt::Ref<ui::ViewController> controller;
    rt::Ref<ui::View> recordingView;
};

TEST_F(ViewControllerTest, TheViewIsLoadedOnceOnFirstUseAndLinkedToItsController) {
    EXPECT_FALSE(controller->isViewLoaded());
    EXPECT_TRUE(gCalls.empty());
    rt::Ref<rt::Object> view = rt::send<rt::Ref<rt::Object>>(controller, rt::sel("view"));
    ASSERT_TRUE(view);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"loadView", "viewDidLoad"}));
    EXPECT_EQ(rt::send<rt::Ref<rt::Object>>(controller, rt::sel("view")), view);
    EXPECT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(rt::cast<ui::View>(view.get())->viewController(), controller);
}

TEST_F(ViewControllerTest, TheStandardLoadViewMakesAScreenSizedView) {
    auto plain = rt::make<ui::ViewController>();
    EXPECT_EQ(plain->view()->frame(), ui::Rect(0, 0, 375, 667));
}

TEST_F(ViewControllerTest, AMarkedViewIsLaidOutAtTheEndOfTheTurnAndTellsItsController) {
    controller->setView(recordingView.get());
    recordingView->layoutIfNeeded();  // a new view needs its first layout
    gCalls.clear();

    recordingView->setNeedsLayout();
    recordingView->setNeedsLayout();
    EXPECT_TRUE(gCalls.empty());
    core::Clock::runPending();
    EXPECT_EQ(gCalls, (std::vector<std::string>{"viewWillLayoutSubviews", "layoutSubviews",
                                                "viewDidLayoutSubviews"}));
    core::Clock::runPending();
    EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(ViewControllerTest, LayoutIfNeededLaysOutAtOnceAndOnlyWhenNeeded) {
    auto root = rt::make<ui::View>();
    root->addSubview(recordingView.get());
    root->layoutIfNeeded();
    EXPECT_EQ(gCalls, std::vector<std::string>{"layoutSubviews"});
    recordingView->setNeedsLayout();
    recordingView->layoutIfNeeded();
    EXPECT_EQ(gCalls.size(), 2u);
    core::Clock::runPending();  // the pass finds nothing left to do
    EXPECT_EQ(gCalls.size(), 2u);
    // A subview marked later is laid out by the pass, from the top of its tree.
    recordingView->setNeedsLayout();
    core::Clock::runPending();
    EXPECT_EQ(gCalls.size(), 3u);
}

TEST_F(ViewControllerTest, AViewThatOutlivesItsControllerLosesTheLink) {
    rt::Ref<ui::View> view;
    {
        auto plain = rt::make<ui::ViewController>();
        view = plain->view();
        EXPECT_EQ(view->viewController(), plain);
    }
    EXPECT_EQ(view->viewController(), nullptr);
    EXPECT_NO_THROW(view->setNeedsLayout());
    EXPECT_NO_THROW(core::Clock::runPending());
}

}  // namespace
