#pragma once

#include <string>

#include "rt/Ref.h"
#include "support/FakePhone.h"

namespace tweak_testing {

// Recording stand-ins of the home-screen host's classes and the system services, registered
// by their host names in the current runtime world, over one FakePhone.
class FakeHost {
public:
    // Registers every class (except the phone's missingClasses) in the current world.
    static void registerClasses(FakePhone& phone);

    // What the host does when an app is installed: makes its application object through
    // initWithApplicationInfo:.
    static rt::Ref<rt::Object> makeApplication(const std::string& bundleId);
    // What the host does when an app's process changes state.
    static void reportState(const rt::Ref<rt::Object>& app, long long taskState, long long visibility);
    // The last state the host's own implementation took in for the app (-1 before any).
    static long long lastTaskState(const rt::Ref<rt::Object>& app);
};

}  // namespace tweak_testing
