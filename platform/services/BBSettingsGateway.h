#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The notification settings gateway of systems without the Do Not Disturb service: the
// behaviour override status 1 turns Do Not Disturb on, 0 turns it off.
class BBSettingsGateway : public rt::Object {
  public:
    static constexpr const char* kClassName = "BBSettingsGateway";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
