#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/View.h"

namespace settings {

// The view controller the preference framework builds on ("UIViewController"): the view is
// made on first use by "loadView", then "viewDidLoad" is sent; the appearance messages are
// sent by the navigation controller. Every overridable step goes through the runtime.
class ViewControllerBase : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIViewController";
    static constexpr double kScreenWidth = 375;
    static constexpr double kScreenHeight = 667;

    rt::Ref<ui::View> view();
    bool isViewLoaded() const { return static_cast<bool>(_view); }
    void setView(ui::View* view) { _view = rt::Ref<ui::View>(view); }

    void loadView();
    void viewDidLoad() {}
    void viewWillAppear(bool) {}
    void viewDidAppear(bool) {}
    void viewWillDisappear(bool) {}
    void viewDidDisappear(bool) {}

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<ui::View> _view;
};

}  // namespace settings
