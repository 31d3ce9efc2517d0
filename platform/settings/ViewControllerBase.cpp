#include "settings/ViewControllerBase.h"

#include "rt/Make.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace settings {

rt::Ref<ui::View> ViewControllerBase::view() {
    if (!_view) {
        rt::Ref<rt::Object> keep(this);
        rt::send<void>(this, rt::sel("loadView"));
        if (!_view) setView(rt::make<ui::View>().get());
        rt::send<void>(this, rt::sel("viewDidLoad"));
    }
    return _view;
}

void ViewControllerBase::loadView() {
    setView(rt::make<ui::View>(ui::Rect(0, 0, kScreenWidth, kScreenHeight)).get());
}

void ViewControllerBase::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&ViewControllerBase::view>("view"),
                            rt::bind<&ViewControllerBase::setView>("setView:"),
                            rt::bind<&ViewControllerBase::loadView>("loadView"),
                            rt::bind<&ViewControllerBase::viewDidLoad>("viewDidLoad"),
                            rt::bind<&ViewControllerBase::viewWillAppear>("viewWillAppear:"),
                            rt::bind<&ViewControllerBase::viewDidAppear>("viewDidAppear:"),
                            rt::bind<&ViewControllerBase::viewWillDisappear>("viewWillDisappear:"),
                            rt::bind<&ViewControllerBase::viewDidDisappear>("viewDidDisappear:"),
                        });
}

}  // namespace settings
