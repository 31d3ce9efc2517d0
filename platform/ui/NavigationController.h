#pragma once

#include <string>
#include <vector>

#include "rt/Make.h"
#include "rt/Ref.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationItem.h"
#include "ui/ViewController.h"

namespace settings {

// A stack of view controllers under a navigation bar ("UINavigationController"). The bar
// shows the navigation item of the controller in front; when that controller is itself a
// navigation controller (a pane's own stack inside the Settings app's), the bar shows the
// item of the controller in front of it, and the inner bar is hidden. Pushing and popping
// send "viewWillDisappear:" to the controller leaving the front and "viewWillAppear:" to the
// one coming to it. Only the front controller's view is in the stack's view: a pushed
// controller's view replaces the one it covers, which comes back when it is popped.
class NavigationController : public ui::ViewController {
  public:
    static constexpr const char* kClassName = "UINavigationController";

    NavigationController() = default;

    void setRootViewController(rt::Object* controller);  // "initWithRootViewController:"
    void pushViewController(rt::Object* controller, bool animated);
    // Answers the controller popped, or null when only the root is left.
    rt::Ref<rt::Object> popViewControllerAnimated(bool animated);
    const std::vector<rt::Ref<rt::Object>>& viewControllers() const { return _viewControllers; }
    rt::Ref<rt::Object> topViewController() const;

    const rt::Ref<ui::NavigationBar>& navigationBar() const { return _navigationBar; }
    bool isNavigationBarHidden() const { return _navigationBar->isHidden(); }
    void setNavigationBarHidden(bool hidden) { _navigationBar->setHidden(hidden); }

    // The item the bar shows (see above).
    rt::Ref<ui::NavigationItem> visibleNavigationItem() const;
    // The title of the back button the bar shows: the title of the page under the one in
    // front (through a nested stack, down to the page the stack covers), "Back" for a page
    // without a title; empty when nothing is under it.
    std::string visibleBackTitle() const;
    // Shows the visible item again (after a nested stack changed).
    void refreshBar();

    void loadView();
    void viewWillAppear(bool animated);

    // "navigationItem" of any view controller: made on first use and kept with it.
    static rt::Ref<ui::NavigationItem> navigationItemOf(rt::Object* controller);
    // "navigationController": the stack the controller is in, or null.
    static rt::Ref<NavigationController> navigationControllerOf(rt::Object* controller);

    static void registerRuntimeMethods(rt::Class* cls);
    // Adds "navigationItem" and "navigationController" to the view controller class.
    static void registerViewControllerMethods(rt::Class* viewControllerClass);

  private:
    void show(rt::Object* controller);
    void attach(rt::Object* controller);

    std::vector<rt::Ref<rt::Object>> _viewControllers;
    rt::Ref<ui::NavigationBar> _navigationBar = rt::make<ui::NavigationBar>();
};

}  // namespace settings
