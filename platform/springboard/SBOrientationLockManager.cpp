#include "springboard/SBOrientationLockManager.h"

#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"

namespace springboard {

namespace {

void recordCall(std::string message) {
    device::Phone::shared().recordCall(SBOrientationLockManager::kClassName, std::move(message));
}

const device::Actor& managerActor() {
    static const device::Actor actor = device::Actor::service("orientation lock manager");
    return actor;
}

rt::Ref<rt::Object> sharedInstance(rt::Object* self, rt::Selector) {
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

bool isUserLocked(rt::Object*, rt::Selector) {
    recordCall("isUserLocked");
    return device::Phone::shared().isOn(device::Switch::OrientationLock);
}

void lock(rt::Object*, rt::Selector) {
    recordCall("lock");
    device::Phone::shared().setSwitch(device::Switch::OrientationLock, true, managerActor());
}

void unlock(rt::Object*, rt::Selector) {
    recordCall("unlock");
    device::Phone::shared().setSwitch(device::Switch::OrientationLock, false, managerActor());
}

}  // namespace

void SBOrientationLockManager::registerRuntimeClass(
    const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<SBOrientationLockManager>(configuration);
    if (!cls) return;
    rt::addClassMethod(cls, rt::sel("sharedInstance"), &sharedInstance);
    rt::addMethod(cls, rt::sel("isUserLocked"), &isUserLocked);
    rt::addMethod(cls, rt::sel("lock"), &lock);
    rt::addMethod(cls, rt::sel("unlock"), &unlock);
}

}  // namespace springboard
