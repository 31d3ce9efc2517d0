#include "ui/ViewController.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "ui/UIScreen.h"

namespace ui {

ViewController::~ViewController() {
    if (_view) _view->setViewController(nullptr);
}

rt::Ref<View> ViewController::view() {
    if (!_view) {
        static const rt::Selector loadViewSelector = rt::sel("loadView");
        static const rt::Selector viewDidLoadSelector = rt::sel("viewDidLoad");
        rt::Ref<rt::Object> keep = rt::retained<rt::Object>(this);
        rt::send<void>(this, loadViewSelector);
        if (!_view) setView(rt::make<View>().get());  // a loadView that made none
        rt::send<void>(this, viewDidLoadSelector);
    }
    return _view;
}

void ViewController::setView(View* view) {
    if (_view.get() == view) return;
    if (_view) _view->setViewController(nullptr);
    _view = rt::retained(view);
    if (_view) _view->setViewController(this);
}

void ViewController::presentViewController(ViewController* controller) {
    if (_presented) _presented->_presenting = {};
    _presented = rt::retained(controller);
    if (_presented) _presented->_presenting = rt::Weak<ViewController>(this);
}

void ViewController::dismissViewController() {
    if (_presented) _presented->_presenting = {};
    _presented = {};
}

void ViewController::loadView() {
    setView(rt::make<View>(UIScreen::bounds()).get());
}

void ViewController::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls,
                   {
                       rt::bind<&ViewController::view>("view"),
                       rt::bind<&ViewController::setView>("setView:"),
                       rt::bind<&ViewController::isViewLoaded>("isViewLoaded"),
                       rt::bind<&ViewController::loadView>("loadView"),
                       rt::bind<&ViewController::viewDidLoad>("viewDidLoad"),
                       rt::bind<&ViewController::viewWillLayoutSubviews>("viewWillLayoutSubviews"),
                       rt::bind<&ViewController::viewDidLayoutSubviews>("viewDidLayoutSubviews"),
                       rt::bind<&ViewController::viewWillAppear>("viewWillAppear:"),
                       rt::bind<&ViewController::viewDidAppear>("viewDidAppear:"),
                       rt::bind<&ViewController::viewWillDisappear>("viewWillDisappear:"),
                       rt::bind<&ViewController::viewDidDisappear>("viewDidDisappear:"),
                   });
}

}  // namespace ui
