#include "springboard/SBOrientationLockManager.h"

#include "device/ClassRegistration.h"
#include "rt/MethodBinding.h"

namespace springboard {

namespace {

const device::Actor& managerActor() {
    static const device::Actor actor = device::Actor::service("orientation lock manager");
    return actor;
}

}  // namespace

bool SBOrientationLockManager::isUserLocked() {
    recordCall("isUserLocked");
    return device::Phone::shared().isOn(device::Switch::OrientationLock);
}

void SBOrientationLockManager::lock() {
    recordCall("lock");
    device::Phone::shared().setSwitch(device::Switch::OrientationLock, true, managerActor());
}

void SBOrientationLockManager::unlock() {
    recordCall("unlock");
    device::Phone::shared().setSwitch(device::Switch::OrientationLock, false, managerActor());
}

void SBOrientationLockManager::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBOrientationLockManager>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedInstance>("sharedInstance")});
    rt::addMethods(cls, {
                            rt::bind<&SBOrientationLockManager::isUserLocked>("isUserLocked"),
                            rt::bind<&SBOrientationLockManager::lock>("lock"),
                            rt::bind<&SBOrientationLockManager::unlock>("unlock"),
                        });
}

}  // namespace springboard
