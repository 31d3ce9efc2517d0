#include "ui/NavigationController.h"

#include "rt/Associations.h"
#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "rt/Runtime.h"
#include "rt/Weak.h"
#include "ui/UIScreen.h"

namespace settings {

namespace {

// What a view controller keeps of its navigation: its item, and the stack it is in (weakly).
class NavigationLink : public rt::Object {
  public:
    static constexpr const char* kClassName = "UINavigationLink";
    rt::Ref<ui::NavigationItem> item = rt::make<ui::NavigationItem>();
    rt::Weak<NavigationController> stack;
};

const char kLinkKey = 0;

NavigationLink& linkOf(rt::Object* controller) {
    if (auto* link = dynamic_cast<NavigationLink*>(rt::getAssociatedObject(controller, &kLinkKey)))
        return *link;
    auto link = rt::make<NavigationLink>();
    rt::setAssociatedObject(controller, &kLinkKey, rt::Ref<rt::Object>(link));
    return *link;
}

rt::Ref<ui::View> viewOf(rt::Object* controller) {
    return rt::cast<ui::View>(rt::send<rt::Ref<rt::Object>>(controller, rt::sel("view")));
}

}  // namespace

rt::Ref<ui::NavigationItem> NavigationController::navigationItemOf(rt::Object* controller) {
    if (!controller) return {};
    return linkOf(controller).item;
}

rt::Ref<NavigationController> NavigationController::navigationControllerOf(rt::Object* controller) {
    if (!controller) return {};
    return linkOf(controller).stack.lock();
}

void NavigationController::setRootViewController(rt::Object* controller) {
    _viewControllers.clear();
    pushViewController(controller, false);
}

void NavigationController::attach(rt::Object* controller) {
    linkOf(controller).stack = rt::Weak<NavigationController>(this);
}

void NavigationController::pushViewController(rt::Object* controller, bool animated) {
    if (!controller) return;
    if (auto leaving = topViewController()) {
        rt::send<void>(leaving, rt::sel("viewWillDisappear:"), animated);
        // The covered page leaves the view tree until it comes to the front again, so that
        // only the page in front draws and takes touches.
        if (auto view = viewOf(leaving.get())) view->removeFromSuperview();
    }
    attach(controller);
    _viewControllers.push_back(rt::Ref<rt::Object>(controller));
    show(controller);
}

rt::Ref<rt::Object> NavigationController::popViewControllerAnimated(bool animated) {
    if (_viewControllers.size() < 2) return {};
    rt::Ref<rt::Object> leaving = _viewControllers.back();
    rt::send<void>(leaving, rt::sel("viewWillDisappear:"), animated);
    if (auto view = viewOf(leaving.get())) view->removeFromSuperview();
    _viewControllers.pop_back();
    show(_viewControllers.back().get());
    return leaving;
}

rt::Ref<rt::Object> NavigationController::topViewController() const {
    return _viewControllers.empty() ? rt::Ref<rt::Object>() : _viewControllers.back();
}

void NavigationController::show(rt::Object* controller) {
    auto container = view();
    auto shown = viewOf(controller);
    if (shown) {
        // The view reaches under the bars, as on the phone; a page's table keeps its rows
        // clear of them with its top inset.
        shown->setFrame(container->bounds());
        container->insertSubview(shown.get(), 0);
    }
    rt::send<void>(controller, rt::sel("viewWillAppear:"), false);
    refreshBar();
}

rt::Ref<ui::NavigationItem> NavigationController::visibleNavigationItem() const {
    const auto top = topViewController();
    if (auto* nested = dynamic_cast<NavigationController*>(top.get()))
        return nested->visibleNavigationItem();
    return navigationItemOf(top.get());
}

std::string NavigationController::visibleBackTitle() const {
    const auto top = topViewController();
    if (const auto* nested = dynamic_cast<const NavigationController*>(top.get());
        nested && nested->_viewControllers.size() >= 2)
        return nested->visibleBackTitle();
    if (_viewControllers.size() < 2) return {};
    rt::Object* below = _viewControllers[_viewControllers.size() - 2].get();
    if (const auto* nested = dynamic_cast<const NavigationController*>(below))
        below = nested->topViewController().get();
    const auto item = navigationItemOf(below);
    return item && !item->title().empty() ? item->title() : "Back";
}

void NavigationController::refreshBar() {
    _navigationBar->showItem(visibleNavigationItem(), visibleBackTitle());
    if (auto outer = navigationControllerOf(this)) outer->refreshBar();
}

void NavigationController::loadView() {
    auto container = rt::make<ui::View>(ui::UIScreen::bounds());
    _navigationBar->setFrame(
        ui::Rect(0, 20, ui::UIScreen::bounds().width(), ui::NavigationBar::kHeight));
    container->addSubview(_navigationBar.get());
    setView(container.get());
}

void NavigationController::viewWillAppear(bool animated) {
    if (auto top = topViewController()) rt::send<void>(top, rt::sel("viewWillAppear:"), animated);
    refreshBar();
}

void NavigationController::registerRuntimeMethods(rt::Class* cls) {
    if (!rt::lookUpClass(NavigationLink::kClassName)) rt::registerClass<NavigationLink>();
    rt::addMethods(
        cls,
        {
            rt::bind<&NavigationController::loadView>("loadView"),
            rt::bind<&NavigationController::viewWillAppear>("viewWillAppear:"),
            rt::bind<&NavigationController::pushViewController>("pushViewController:animated:"),
            rt::bind<&NavigationController::popViewControllerAnimated>(
                "popViewControllerAnimated:"),
            rt::bind<&NavigationController::navigationBar>("navigationBar"),
            rt::bind<&NavigationController::topViewController>("topViewController"),
        });
}

namespace {
// Methods added to the view controller class, which the navigation controller does not own:
// they take their receiver in the runtime's form.
rt::Ref<rt::Object> navigationItem(rt::Object* self, rt::Selector) {
    return NavigationController::navigationItemOf(self);
}
rt::Ref<rt::Object> navigationController(rt::Object* self, rt::Selector) {
    return NavigationController::navigationControllerOf(self);
}
}  // namespace

void NavigationController::registerViewControllerMethods(rt::Class* viewControllerClass) {
    rt::addMethods(viewControllerClass, {
                                            rt::bind<&navigationItem>("navigationItem"),
                                            rt::bind<&navigationController>("navigationController"),
                                        });
}

}  // namespace settings
