#include "settings/HBAppearanceSettings.h"

#include "rt/MethodBinding.h"

namespace settings {

void HBAppearanceSettings::registerRuntimeMethods(rt::Class* cls) {
    using S = HBAppearanceSettings;
    rt::addMethods(
        cls, {
                 rt::bind<&S::setTableViewCellSeparatorColor>("setTableViewCellSeparatorColor:"),
                 rt::bind<&S::setNavigationBarBackgroundColor>("setNavigationBarBackgroundColor:"),
                 rt::bind<&S::setTintColor>("setTintColor:"),
                 rt::bind<&S::setStatusBarTintColor>("setStatusBarTintColor:"),
                 rt::bind<&S::setNavigationBarTintColor>("setNavigationBarTintColor:"),
                 rt::bind<&S::setNavigationBarTitleColor>("setNavigationBarTitleColor:"),
             });
}

}  // namespace settings
