#include "services/BluetoothManager.h"

#include <vector>

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "device/SharedInstance.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"
#include "services/BluetoothDevice.h"

namespace services {

namespace {

const device::Actor& managerActor() {
    static const device::Actor actor = device::Actor::service("Bluetooth manager");
    return actor;
}

void recordCall(std::string message) {
    device::Phone::shared().recordCall(BluetoothManager::kClassName, std::move(message));
}

rt::Ref<rt::Object> sharedInstance(rt::Object* self, rt::Selector) {
    recordCall("sharedInstance");
    return device::SharedInstance::of(static_cast<rt::Class*>(self));
}

bool enabled() {
    recordCall("enabled");
    return device::Phone::shared().isOn(device::Switch::Bluetooth);
}

void setEnabled(bool on) {
    recordCall("setEnabled: " + device::argumentText(on));
    device::Phone::shared().setSwitch(device::Switch::Bluetooth, on, managerActor());
}

// A system without device objects answers no devices.
std::vector<rt::Ref<rt::Object>> connectedDevices() {
    recordCall("connectedDevices");
    std::vector<rt::Ref<rt::Object>> devices;
    if (!rt::lookUpClass(BluetoothDevice::kClassName)) return devices;
    for (const std::string& name : device::Phone::shared().connectedBluetoothDevices()) {
        devices.push_back(rt::make<BluetoothDevice>(name));
    }
    return devices;
}

// Disconnects by the device's name; a null or foreign object disconnects nothing.
void disconnectDevicePhysicalLink(rt::Object* deviceObject) {
    const auto* bluetoothDevice = rt::cast<BluetoothDevice>(deviceObject);
    recordCall("disconnectDevicePhysicalLink: " +
               (bluetoothDevice ? bluetoothDevice->deviceName() : "nil"));
    if (!bluetoothDevice) return;
    device::Phone::shared().disconnectBluetoothDevice(bluetoothDevice->deviceName(),
                                                      managerActor());
}

}  // namespace

void BluetoothManager::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<BluetoothManager>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedInstance>("sharedInstance")});
    rt::addMethods(cls,
                   {
                       rt::bind<&enabled>("enabled"),
                       rt::bind<&setEnabled>("setEnabled:"),
                       rt::bind<&connectedDevices>("connectedDevices"),
                       rt::bind<&disconnectDevicePhysicalLink>("disconnectDevicePhysicalLink:"),
                   });
}

}  // namespace services
