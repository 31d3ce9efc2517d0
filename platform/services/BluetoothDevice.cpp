#include "services/BluetoothDevice.h"

#include "device/ClassRegistration.h"
#include "rt/Fields.h"
#include "rt/MethodBinding.h"

namespace services {

void BluetoothDevice::registerRuntimeClass(const device::DeviceConfiguration& configuration) {
    rt::Class* cls = device::registerUnlessLeftOut<BluetoothDevice>(configuration);
    if (!cls) return;
    rt::addMethods(cls, {rt::bind<&BluetoothDevice::name>("name")});
    rt::declareField(cls, "_name", &BluetoothDevice::_name);
}

}  // namespace services
