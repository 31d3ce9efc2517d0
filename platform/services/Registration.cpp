#include "services/Registration.h"

#include "services/BBSettingsGateway.h"
#include "services/BluetoothDevice.h"
#include "services/BluetoothManager.h"
#include "services/CLLocationManager.h"
#include "services/DNDModeAssertion.h"
#include "services/DNDModeAssertionDetails.h"
#include "services/DNDModeAssertionService.h"
#include "services/FSSwitchPanel.h"
#include "services/PSBrightnessSettingsDetail.h"
#include "services/RadiosPreferences.h"

namespace services {

void registerClasses(const device::DeviceConfiguration& configuration) {
    FSSwitchPanel::registerRuntimeClass(configuration);
    RadiosPreferences::registerRuntimeClass(configuration);
    BluetoothDevice::registerRuntimeClass(configuration);
    BluetoothManager::registerRuntimeClass(configuration);
    DNDModeAssertionDetails::registerRuntimeClass(configuration);
    DNDModeAssertion::registerRuntimeClass(configuration);
    DNDModeAssertionService::registerRuntimeClass(configuration);
    BBSettingsGateway::registerRuntimeClass(configuration);
    CLLocationManager::registerRuntimeClass(configuration);
    PSBrightnessSettingsDetail::registerRuntimeClass(configuration);
}

}  // namespace services
