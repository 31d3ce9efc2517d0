#pragma once

#include <string>

// The graphics-services preference notice.
namespace services {

inline constexpr const char* kGraphicsServicesName = "GraphicsServices";

// Tells the owner of the preference domain `applicationId` that `key` changed, so that it
// rereads the stored value. The display daemon owns "com.apple.backboardd": for its
// "BKEnableALS" the phone's auto-brightness follows the stored value (and stays as it is
// when no boolean-like value is stored). Notices of other domains change nothing.
void GSSendAppPreferencesChanged(const std::string& applicationId, const std::string& key);

}  // namespace services
