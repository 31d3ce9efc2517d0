#pragma once

// The telephony framework's cellular-data functions.
namespace services {

inline constexpr const char* kTelephonyServiceName = "CoreTelephony";

// Whether cellular data is on.
bool CTCellularDataPlanGetIsEnabled();
// Turns cellular data on or off.
void CTCellularDataPlanSetIsEnabled(bool enabled);

}  // namespace services
