#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "device/ServiceStub.h"

namespace services {

// The switch library's panel: reads and sets the phone's switches by full switch
// identifier. States are 0 off, 1 on, -1 indeterminate; an unknown identifier reads 0 and
// sets nothing. Setting the auto-brightness switch also stores the display daemon's
// preference, as the phone's own switch does, so every reader agrees.
class FSSwitchPanel : public device::ServiceStub<FSSwitchPanel> {
  public:
    static constexpr const char* kClassName = "FSSwitchPanel";

    static constexpr long long kStateOff = 0;
    static constexpr long long kStateOn = 1;
    static constexpr long long kStateIndeterminate = -1;

    // "sharedPanel"
    static rt::Ref<FSSwitchPanel> sharedPanel();
    // "stateForSwitchIdentifier:"
    long long stateForSwitchIdentifier(const std::string& fullIdentifier);
    // "setState:forSwitchIdentifier:": only off and on can be asked for; any other state
    // leaves the switch as it is.
    void setState(long long state, const std::string& fullIdentifier);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
