#pragma once

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// The phone's Bluetooth manager: the Bluetooth switch and the connected devices.
class BluetoothManager : public rt::Object {
  public:
    static constexpr const char* kClassName = "BluetoothManager";

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
