#pragma once

#include <string>

#include "device/DeviceConfiguration.h"
#include "rt/Object.h"

namespace services {

// A Bluetooth device connected to the phone, known by its name.
class BluetoothDevice : public rt::Object {
  public:
    static constexpr const char* kClassName = "BluetoothDevice";

    explicit BluetoothDevice(std::string name) : _name(std::move(name)) {}

    const std::string& name() const { return _name; }

    static void registerRuntimeClass(const device::DeviceConfiguration& configuration);

  private:
    std::string _name;
};

}  // namespace services
