#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Make.h"

namespace device {

// Registers the runtime class of T under Super's class unless this system leaves the class
// out; answers the class, or null when it was left out (its name then looks up as null).
template <class T, class Super = rt::Object>
rt::Class* registerUnlessLeftOut(const DeviceConfiguration& configuration) {
    if (configuration.leavesOut(T::kClassName)) return nullptr;
    return rt::registerClass<T, Super>();
}

}  // namespace device
