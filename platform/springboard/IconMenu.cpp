#include "springboard/IconMenu.h"

#include <memory>
#include <stdexcept>

#include "foundation/ActionHandler.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/NoDestroy.h"
#include "rt/Runtime.h"
#include "rt/Weak.h"
#include "springboard/HomeScreen.h"
#include "springboard/SBUIAction.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchController.h"
#include "springboard/SBUIAppIconForceTouchControllerDataProvider.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "ui/SimulatedFinger.h"
#include "ui/UIScreen.h"

namespace springboard {

namespace {

// A foreground launch, as the phone reports it: running (2) and visible (2).
constexpr long long kTaskStateRunning = 2;
constexpr long long kVisibilityForeground = 2;

struct OpenMenu {
    std::string app;
    rt::Ref<ui::View> screen;
    rt::Ref<SBUIAppIconForceTouchController> controller;
    rt::Ref<SBUIAppIconForceTouchShortcutViewController> shortcutViewController;
    rt::Ref<rt::Object> dataProvider;
    // Shared so that a finger whose touch closes the menu outlives its own delivery.
    std::shared_ptr<ui::SimulatedFinger> finger;
};

struct MenuState {
    std::unique_ptr<OpenMenu> open;
    std::vector<std::string> lastItemTitles;
    std::string lastLaunched;
};

MenuState& state() {
    static rt::NoDestroy<MenuState> menuState;
    return *menuState;
}

template <class T>
rt::Ref<T> makeHostObject() {
    return rt::cast<T>(rt::makeOfClass(rt::lookUpClass(T::kClassName)));
}

// What a row runs when it is tapped: the controller hears the choice of its item.
rt::Ref<rt::Object> activationHandler(
    const rt::Ref<SBUIAppIconForceTouchController>& controller,
    const rt::Ref<SBUIAppIconForceTouchShortcutViewController>& menu,
    const rt::Ref<rt::Object>& item) {
    static const rt::Selector activate =
        rt::sel("appIconForceTouchShortcutViewController:activateApplicationShortcutItem:");
    return rt::make<ActionHandler>(
        [controller = rt::Weak<SBUIAppIconForceTouchController>(controller),
         menu = rt::Weak<SBUIAppIconForceTouchShortcutViewController>(menu), item] {
            rt::Ref<SBUIAppIconForceTouchController> target = controller.lock();
            rt::Ref<SBUIAppIconForceTouchShortcutViewController> viewController = menu.lock();
            if (target) rt::send<void>(target, activate, viewController, item);
        });
}

}  // namespace

void IconMenu::press(const std::string& bundleIdentifier) {
    if (!HomeScreen::application(bundleIdentifier))
        throw std::invalid_argument("no app " + bundleIdentifier + " is installed");
    close();
    MenuState& menu = state();
    auto open = std::make_unique<OpenMenu>();
    open->app = bundleIdentifier;
    open->dataProvider = rt::make<SBUIAppIconForceTouchControllerDataProvider>(bundleIdentifier);
    open->controller = makeHostObject<SBUIAppIconForceTouchController>();
    open->shortcutViewController = makeHostObject<SBUIAppIconForceTouchShortcutViewController>();
    if (!open->controller || !open->shortcutViewController) return;  // a host without menus
    open->shortcutViewController->setIconFrame(HomeScreen::iconFrame(bundleIdentifier));

    const auto items =
        rt::send<ShortcutItemList>(open->dataProvider, rt::sel("applicationShortcutItems"));
    menu.lastItemTitles.clear();
    for (const auto& item : items)
        menu.lastItemTitles.push_back(rt::send<std::string>(item, rt::sel("localizedTitle")));

    static const rt::Selector initAction =
        rt::sel("initWithTitle:subtitle:image:badgeView:handler:");
    std::vector<rt::Ref<rt::Object>> actions;
    for (const auto& item : items) {
        actions.push_back(rt::send<rt::Ref<rt::Object>>(
            rt::makeOfClass(rt::lookUpClass(SBUIAction::kClassName)), initAction,
            rt::send<std::string>(item, rt::sel("localizedTitle")),
            rt::send<std::string>(item, rt::sel("localizedSubtitle")), nullptr, nullptr,
            activationHandler(open->controller, open->shortcutViewController, item)));
    }
    std::vector<rt::Ref<SBUIActionView>> rows;
    for (const auto& action : actions) {
        rows.push_back(rt::cast<SBUIActionView>(rt::send<rt::Ref<rt::Object>>(
            rt::makeOfClass(rt::lookUpClass(SBUIActionView::kClassName)),
            rt::sel("initWithAction:"), action)));
    }
    std::erase(rows, nullptr);
    open->shortcutViewController->setActionViews(std::move(rows));

    open->screen = rt::make<ui::View>(ui::UIScreen::bounds());
    auto menuView = rt::cast<ui::View>(
        rt::send<rt::Ref<rt::Object>>(open->shortcutViewController, rt::sel("view")));
    rt::send<void>(open->shortcutViewController, rt::sel("viewWillAppear:"), true);
    if (menuView) {
        open->screen->addSubview(menuView.get());
        menuView->setNeedsLayout();
        menuView->layoutIfNeeded();
    }
    menu.open = std::move(open);
    rt::send<void>(menu.open->shortcutViewController, rt::sel("viewDidAppear:"), true);
}

std::string IconMenu::openApp() {
    return state().open ? state().open->app : std::string();
}

bool IconMenu::isOpen() {
    return static_cast<bool>(state().open);
}

void IconMenu::close() {
    MenuState& menu = state();
    if (!menu.open) return;
    std::unique_ptr<OpenMenu> closing = std::move(menu.open);
    rt::Ref<SBUIAppIconForceTouchShortcutViewController> viewController =
        closing->shortcutViewController;
    rt::send<void>(viewController, rt::sel("viewWillDisappear:"), true);
    if (viewController->isViewLoaded()) viewController->view()->removeFromSuperview();
    rt::send<void>(viewController, rt::sel("viewDidDisappear:"), true);
}

void IconMenu::launch(const std::string& bundleIdentifier) {
    if (!HomeScreen::application(bundleIdentifier)) return;
    HomeScreen::reportState(bundleIdentifier, kTaskStateRunning, kVisibilityForeground);
    state().lastLaunched = bundleIdentifier;
}

rt::Ref<ui::View> IconMenu::tap(const ui::Point& point) {
    rt::Ref<ui::View> hit = touchDown(point);
    touchUp();
    return hit;
}

rt::Ref<ui::View> IconMenu::touchDown(const ui::Point& point) {
    MenuState& menu = state();
    if (!menu.open) return nullptr;
    if (menu.open->finger && menu.open->finger->touch()) touchCancel();
    rt::Ref<ui::View> screen = menu.open->screen;
    auto finger = std::make_shared<ui::SimulatedFinger>(screen.get());
    menu.open->finger = finger;
    rt::Ref<ui::View> hit = screen->hitTest(point, finger->event().get());
    if (!hit || hit == screen) {
        close();
        return nullptr;
    }
    return finger->touchDown(point);
}

void IconMenu::touchMove(const ui::Point& point) {
    if (!state().open) return;
    if (std::shared_ptr<ui::SimulatedFinger> finger = state().open->finger) finger->moveTo(point);
}

void IconMenu::touchUp() {
    if (!state().open) return;
    if (std::shared_ptr<ui::SimulatedFinger> finger = state().open->finger) finger->lift();
}

void IconMenu::touchCancel() {
    if (!state().open) return;
    if (std::shared_ptr<ui::SimulatedFinger> finger = state().open->finger) finger->cancel();
}

bool IconMenu::isTouching() {
    return state().open && state().open->finger && state().open->finger->touch();
}

rt::Ref<ui::View> IconMenu::screen() {
    return state().open ? state().open->screen : nullptr;
}

rt::Ref<SBUIAppIconForceTouchShortcutViewController> IconMenu::shortcutViewController() {
    return state().open ? state().open->shortcutViewController : nullptr;
}

rt::Ref<SBUIAppIconForceTouchController> IconMenu::controller() {
    return state().open ? state().open->controller : nullptr;
}

std::vector<std::string> IconMenu::lastItemTitles() {
    return state().lastItemTitles;
}

std::string IconMenu::lastLaunched() {
    return state().lastLaunched;
}

void IconMenu::reset(bool forgetPhone) {
    MenuState& menu = state();
    menu.open.reset();
    if (forgetPhone) {
        menu.lastItemTitles.clear();
        menu.lastLaunched.clear();
    }
}

}  // namespace springboard
