#include "settings/HBRootListController.h"

#include "rt/MethodBinding.h"
#include "ui/NavigationController.h"

namespace settings {

void HBRootListController::setAppearanceSettings(HBAppearanceSettings* settings) {
    _appearance = rt::Ref<HBAppearanceSettings>(settings);
    if (isViewLoaded()) applyAppearance();
}

void HBRootListController::applyAppearance() {
    if (!_appearance) return;
    auto page = view();
    if (_appearance->tintColor()) page->setTintColor(_appearance->tintColor());
    if (auto tableView = table())
        tableView->setSeparatorColor(_appearance->tableViewCellSeparatorColor());
    for (auto stack = NavigationController::navigationControllerOf(this); stack;
         stack = NavigationController::navigationControllerOf(stack.get())) {
        const auto& bar = stack->navigationBar();
        if (_appearance->navigationBarBackgroundColor())
            bar->setBarTintColor(_appearance->navigationBarBackgroundColor());
        if (_appearance->navigationBarTintColor())
            bar->setTintColor(_appearance->navigationBarTintColor());
        if (_appearance->navigationBarTitleColor())
            bar->setTitleColor(_appearance->navigationBarTitleColor());
    }
}

void HBRootListController::viewWillAppear(bool animated) {
    PSListController::viewWillAppear(animated);
    applyAppearance();
}

void HBRootListController::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(
        cls,
        {
            rt::bind<&HBRootListController::setAppearanceSettings>("hb_setAppearanceSettings:"),
            rt::bind<&HBRootListController::viewWillAppear>("viewWillAppear:"),
        });
}

}  // namespace settings
