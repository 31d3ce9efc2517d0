#include "device/SharedInstance.h"

#include <mutex>

#include "rt/Associations.h"
#include "rt/Make.h"

namespace device {

namespace {

constexpr char kSharedInstanceKey = 0;

std::mutex& creationMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

rt::Ref<rt::Object> SharedInstance::of(rt::Class* cls) {
    if (!cls) return nullptr;
    std::lock_guard lock(creationMutex());
    if (rt::Object* existing = rt::getAssociatedObject(cls, &kSharedInstanceKey)) {
        return rt::retained(existing);
    }
    rt::Ref<rt::Object> instance = rt::makeOfClass(cls);
    rt::setAssociatedObject(cls, &kSharedInstanceKey, instance);
    return instance;
}

}  // namespace device
