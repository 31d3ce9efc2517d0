#pragma once

#include <vector>
#include "device/DeviceConfiguration.h"

#include "device/ServiceStub.h"

namespace services {

// The phone's Bluetooth manager: the Bluetooth switch and the connected devices.
class BluetoothManager : public device::ServiceStub<BluetoothManager> {
  public:
    static constexpr const char* kClassName = "BluetoothManager";

    // "sharedInstance", recorded.
    static rt::Ref<BluetoothManager> sharedInstance();
    bool enabled();
    void setEnabled(bool on);
    // "connectedDevices": a system without device objects answers no devices.
    std::vector<rt::Ref<rt::Object>> connectedDevices();
    // "disconnectDevicePhysicalLink:" by the device's name; a null or foreign object
    // disconnects nothing.
    void disconnectDevicePhysicalLink(rt::Object* deviceObject);

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);
};

}  // namespace services
