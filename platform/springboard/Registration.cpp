#include "springboard/Registration.h"

#include "springboard/FBProcess.h"
#include "springboard/FBProcessState.h"
#include "springboard/SBApplication.h"
#include "springboard/SBApplicationInfo.h"
#include "springboard/SBBrightnessController.h"
#include "springboard/SBMediaController.h"
#include "springboard/SBOrientationLockManager.h"
#include "springboard/SBWiFiManager.h"

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
}

}  // namespace springboard
