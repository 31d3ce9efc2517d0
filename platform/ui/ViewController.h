#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Weak.h"
#include "ui/View.h"

namespace ui {

// Manages one view ("UIViewController"). The view is made on first use: `view` sends
// "loadView" (the default makes a plain view of the screen's size), links the view back to
// its controller and sends "viewDidLoad". Whenever the view is laid out, the controller hears
// "viewWillLayoutSubviews" before and "viewDidLayoutSubviews" after the view's layoutSubviews.
// Every overridable step is sent through the runtime, so a subclass or a replacement takes
// effect; the C++ calls below send.
class ViewController : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIViewController";

    ViewController() = default;
    ~ViewController() override;

    // "view": loads the view when it has none yet.
    rt::Ref<View> view();
    bool isViewLoaded() const { return static_cast<bool>(_view); }
    // "setView:": the controller's view from now on (the previous one loses its link).
    void setView(View* view);

    // Presents another controller over this one ("presentViewController:animated:completion:");
    // it stays until dismissed. A controller presents one at a time: presenting again
    // replaces the one shown.
    void presentViewController(ViewController* controller);
    // "dismissViewControllerAnimated:completion:": the presented controller goes away.
    void dismissViewController();
    const rt::Ref<ViewController>& presentedViewController() const { return _presented; }
    rt::Ref<ViewController> presentingViewController() const { return _presenting.lock(); }

    // The toolkit's own implementations, registered as the runtime methods.
    void loadView();
    void viewDidLoad() {}
    void viewWillLayoutSubviews() {}
    void viewDidLayoutSubviews() {}
    void viewWillAppear(bool) {}
    void viewDidAppear(bool) {}
    void viewWillDisappear(bool) {}
    void viewDidDisappear(bool) {}

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    rt::Ref<View> _view;
    rt::Ref<ViewController> _presented;
    rt::Weak<ViewController> _presenting;
};

}  // namespace ui
