#pragma once

#include <string>
#include <utility>

#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Make.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace device {

// The base of a simulated system service T (a runtime class named T::kClassName): what the
// service received goes into the phone's call log under the class's name, and the class has
// one shared instance per world.
template <class T>
class ServiceStub : public rt::Object {
  public:
    // Logs a message the service received, as "<class name> <message>".
    static void recordCall(std::string message) {
        Phone::shared().recordCall(T::kClassName, std::move(message));
    }

    // The class's one instance in the current world, made on first use ("sharedInstance").
    static rt::Ref<T> sharedInstance() { return rt::cast<T>(SharedInstance::of(rt::classOf<T>())); }
};

}  // namespace device
