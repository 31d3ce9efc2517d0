#pragma once

#include "rt/Class.h"
#include "rt/Ref.h"

namespace device {

// The one instance of a system class in the current world ("sharedInstance",
// "mainScreen"): made on first use with the class's allocator and kept on the class
// itself, so a new world (a respring) makes new instances. Thread-safe.
class SharedInstance {
  public:
    // The class's shared instance, made now if it has none; null for a null class.
    static rt::Ref<rt::Object> of(rt::Class* cls);
};

}  // namespace device
