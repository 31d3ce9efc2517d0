#include "settings/Registration.h"

#include "device/ClassRegistration.h"
#include "foundation/BoxedValue.h"
#include "foundation/NSTask.h"
#include "foundation/ObjectArray.h"
#include "rt/Runtime.h"
#include "settings/HBAppearanceSettings.h"
#include "settings/HBRootListController.h"
#include "settings/SettingsListController.h"
#include "ui/NavigationController.h"
#include "settings/PSListController.h"
#include "settings/PSSpecifier.h"
#include "settings/PSTableCell.h"
#include "ui/ViewController.h"

namespace settings {

namespace {

template <class T, class Super = rt::Object>
rt::Class* registerFrameworkClass(const device::DeviceConfiguration& configuration,
                                  void (*installMethods)(rt::Class*) = nullptr) {
    if (!rt::lookUpClass(Super::kClassName) || rt::lookUpClass(T::kClassName)) return nullptr;
    rt::Class* cls = device::registerUnlessLeftOut<T, Super>(configuration);
    if (cls && installMethods) installMethods(cls);
    return cls;
}

}  // namespace

void registerClasses(const device::DeviceConfiguration& configuration) {
    registerFrameworkClass<ObjectArray>(configuration, &ObjectArray::registerRuntimeMethods);
    registerFrameworkClass<BoxedDictionary>(configuration);
    // The toolkit's view controller gains the navigation item and stack it is shown in.
    if (rt::Class* viewController = rt::lookUpClass(ui::ViewController::kClassName))
        NavigationController::registerViewControllerMethods(viewController);
    registerFrameworkClass<NavigationController, ui::ViewController>(
        configuration, &NavigationController::registerRuntimeMethods);
    registerFrameworkClass<PSSpecifier>(configuration, &PSSpecifier::registerRuntimeMethods);
    registerFrameworkClass<PSListController, ui::ViewController>(
        configuration, &PSListController::registerRuntimeMethods);
    registerFrameworkClass<PSTableCell, ui::TableViewCell>(configuration,
                                                           &PSTableCell::registerRuntimeMethods);
    registerFrameworkClass<PSControlTableCell, PSTableCell>(
        configuration, &PSControlTableCell::registerRuntimeMethods);
    registerFrameworkClass<PSEditableTableCell, PSTableCell>(configuration);
    registerFrameworkClass<HBAppearanceSettings>(configuration,
                                                 &HBAppearanceSettings::registerRuntimeMethods);
    registerFrameworkClass<HBRootListController, PSListController>(
        configuration, &HBRootListController::registerRuntimeMethods);
    registerFrameworkClass<NSTask>(configuration, &NSTask::registerRuntimeMethods);
    registerFrameworkClass<SettingsListController, PSListController>(
        configuration, &SettingsListController::registerRuntimeMethods);
}

}  // namespace settings
