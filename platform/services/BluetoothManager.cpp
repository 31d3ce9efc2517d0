#include "services/BluetoothManager.h"

#include <vector>

#include "device/CallText.h"
#include "device/ClassRegistration.h"
#include "device/Phone.h"
#include "rt/MethodBinding.h"
#include "services/BluetoothDevice.h"

namespace services {

namespace {

const device::Actor& managerActor() {
    static const device::Actor actor = device::Actor::service("Bluetooth manager");
    return actor;
}

}  // namespace

rt::Ref<BluetoothManager> BluetoothManager::sharedInstance() {
    recordCall("sharedInstance");
    return ServiceStub::sharedInstance();
}

bool BluetoothManager::enabled() {
    recordCall("enabled");
    return device::Phone::shared().isOn(device::Switch::Bluetooth);
}

void BluetoothManager::setEnabled(bool on) {
    recordCall("setEnabled: " + device::argumentText(on));
    device::Phone::shared().setSwitch(device::Switch::Bluetooth, on, managerActor());
}

std::vector<rt::Ref<rt::Object>> BluetoothManager::connectedDevices() {
    recordCall("connectedDevices");
    std::vector<rt::Ref<rt::Object>> devices;
    if (!rt::lookUpClass(BluetoothDevice::kClassName)) return devices;
    for (const std::string& name : device::Phone::shared().connectedBluetoothDevices()) {
        devices.push_back(rt::make<BluetoothDevice>(name));
    }
    return devices;
}

void BluetoothManager::disconnectDevicePhysicalLink(rt::Object* deviceObject) {
    const auto* bluetoothDevice = rt::cast<BluetoothDevice>(deviceObject);
    recordCall("disconnectDevicePhysicalLink: " +
               (bluetoothDevice ? bluetoothDevice->name() : "nil"));
    if (!bluetoothDevice) return;
    device::Phone::shared().disconnectBluetoothDevice(bluetoothDevice->name(), managerActor());
}

void BluetoothManager::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<BluetoothManager>(configuration);
    if (!cls) return;
    rt::addClassMethods(cls, {rt::bind<&sharedInstance>("sharedInstance")});
    rt::addMethods(cls, {
                            rt::bind<&BluetoothManager::enabled>("enabled"),
                            rt::bind<&BluetoothManager::setEnabled>("setEnabled:"),
                            rt::bind<&BluetoothManager::connectedDevices>("connectedDevices"),
                            rt::bind<&BluetoothManager::disconnectDevicePhysicalLink>(
                                "disconnectDevicePhysicalLink:"),
                        });
}

}  // namespace services
