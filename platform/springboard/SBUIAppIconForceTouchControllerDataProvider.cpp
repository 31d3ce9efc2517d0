#include "springboard/SBUIAppIconForceTouchControllerDataProvider.h"

#include "device/ClassRegistration.h"
#include "rt/Make.h"
#include "rt/MethodBinding.h"
#include "springboard/DeclaredShortcuts.h"
#include "springboard/SBSApplicationShortcutItem.h"

namespace springboard {

ShortcutItemList SBUIAppIconForceTouchControllerDataProvider::applicationShortcutItems() const {
    ShortcutItemList items;
    if (_applicationBundleIdentifier.empty()) return items;
    for (const DeclaredShortcuts::Item& declared :
         DeclaredShortcuts::of(_applicationBundleIdentifier)) {
        auto item = rt::make<SBSApplicationShortcutItem>();
        item->setType(declared.type);
        item->setLocalizedTitle(declared.title);
        item->setBundleIdentifierToLaunch(_applicationBundleIdentifier);
        items.emplace_back(std::move(item));
    }
    return items;
}

void SBUIAppIconForceTouchControllerDataProvider::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    using Provider = SBUIAppIconForceTouchControllerDataProvider;
    rt::addMethods(
        device::registerUnlessLeftOut<Provider>(configuration),
        {
            rt::bind<&Provider::applicationBundleIdentifier>("applicationBundleIdentifier"),
            rt::bind<&Provider::applicationShortcutItems>("applicationShortcutItems"),
        });
}

}  // namespace springboard
