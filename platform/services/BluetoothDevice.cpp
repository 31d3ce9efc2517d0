#include "services/BluetoothDevice.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/Messaging.h"
#include "rt/MethodBinding.h"

namespace services {

namespace {

std::string name(rt::Object* self, rt::Selector) {
    return static_cast<BluetoothDevice*>(self)->deviceName();
}

}  // namespace

void BluetoothDevice::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<BluetoothDevice>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {rt::bind<&name>("name")});
    rt::declareField(cls, "_name", &BluetoothDevice::_name);
}

}  // namespace services
