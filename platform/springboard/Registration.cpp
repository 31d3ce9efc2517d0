#include "springboard/Registration.h"

#include "springboard/FBProcess.h"
#include "springboard/FBProcessState.h"
#include "springboard/SBApplication.h"
#include "springboard/SBApplicationInfo.h"
#include "springboard/SBBrightnessController.h"
#include "springboard/SBMediaController.h"
#include "springboard/SBOrientationLockManager.h"
#include "springboard/SBWiFiManager.h"

#include "foundation/ActionHandler.h"
#include "springboard/MenuAppearance.h"
#include "springboard/SBSApplicationShortcutItem.h"
#include "springboard/SBUIAction.h"
#include "springboard/SBUIActionView.h"
#include "springboard/SBUIAppIconForceTouchController.h"
#include "springboard/SBUIAppIconForceTouchControllerDataProvider.h"
#include "springboard/SBUIAppIconForceTouchShortcutViewController.h"
#include "springboard/SBUILegibilityLabel.h"

namespace springboard {

void registerClasses(const device::DeviceConfiguration& configuration) {
    SBApplicationInfo::registerRuntimeClass(configuration);
    FBProcess::registerRuntimeClass(configuration);
    FBProcessState::registerRuntimeClass(configuration);
    SBApplication::registerRuntimeClass(configuration);
    SBMediaController::registerRuntimeClass(configuration);
    SBBrightnessController::registerRuntimeClass(configuration);
    SBWiFiManager::registerRuntimeClass(configuration);
    SBOrientationLockManager::registerRuntimeClass(configuration);
    ActionHandler::registerRuntimeClass();
    SBSApplicationShortcutItem::registerRuntimeClass(configuration);
    SBUIAppIconForceTouchControllerDataProvider::registerRuntimeClass(configuration);
    SBUIAction::registerRuntimeClass(configuration);
    SBUILegibilityLabel::registerRuntimeClass(configuration);
    SBUIActionView::registerRuntimeClass(configuration);
    SBUIShortcutMenuView::registerRuntimeClass(configuration);
    SBUIAppIconForceTouchShortcutViewController::registerRuntimeClass(configuration);
    SBUIAppIconForceTouchController::registerRuntimeClass(configuration);
    MenuAppearance::registerRuntimeMethods();
}

}  // namespace springboard
