#pragma once

#include <string>

// The system's free functions that the switches reach: the telephony framework's cellular
// data plan and the graphics services' preference notice. They are linked weakly, as a
// tweak links private frameworks: on a system without them their address is null, and the
// operations that use them do nothing (and read as off).
namespace services {

[[gnu::weak]] bool CTCellularDataPlanGetIsEnabled();
[[gnu::weak]] void CTCellularDataPlanSetIsEnabled(bool enabled);
[[gnu::weak]] void GSSendAppPreferencesChanged(const std::string& applicationId,
                                               const std::string& key);

}  // namespace services
