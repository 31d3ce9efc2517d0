#include "springboard/SBUIAppIconForceTouchController.h"

#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"
#include "springboard/IconMenu.h"
#include "springboard/SBSApplicationShortcutItem.h"

namespace springboard {

void SBUIAppIconForceTouchController::activateApplicationShortcutItem(rt::Object*,
                                                                      rt::Object* item) {
    const auto* shortcut = rt::cast<SBSApplicationShortcutItem>(item);
    const std::string app = shortcut ? shortcut->bundleIdentifierToLaunch() : std::string();
    IconMenu::close();
    if (!app.empty()) IconMenu::launch(app);
}

void SBUIAppIconForceTouchController::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    using Controller = SBUIAppIconForceTouchController;
    rt::addMethods(
        device::registerUnlessLeftOut<Controller>(configuration),
        {rt::bind<&Controller::activateApplicationShortcutItem>(
            "appIconForceTouchShortcutViewController:activateApplicationShortcutItem:")});
}

}  // namespace springboard
