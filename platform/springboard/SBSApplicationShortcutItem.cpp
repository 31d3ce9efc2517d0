#include "springboard/SBSApplicationShortcutItem.h"

#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace springboard {

void SBSApplicationShortcutItem::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    using Item = SBSApplicationShortcutItem;
    rt::addMethods(device::registerUnlessLeftOut<Item>(configuration),
                   {
                       rt::bind<&Item::localizedTitle>("localizedTitle"),
                       rt::bind<&Item::setLocalizedTitle>("setLocalizedTitle:"),
                       rt::bind<&Item::localizedSubtitle>("localizedSubtitle"),
                       rt::bind<&Item::setLocalizedSubtitle>("setLocalizedSubtitle:"),
                       rt::bind<&Item::type>("type"),
                       rt::bind<&Item::setType>("setType:"),
                       rt::bind<&Item::bundleIdentifierToLaunch>("bundleIdentifierToLaunch"),
                       rt::bind<&Item::setBundleIdentifierToLaunch>("setBundleIdentifierToLaunch:"),
                   });
}

}  // namespace springboard
