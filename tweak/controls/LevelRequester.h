#pragma once

#include <string>

namespace morvane {

// Why a level is asked for: an app's entry asks for its custom level, its exit for the
// level recorded before it opened.
enum class LevelPurpose { Entry, Restore };

// The app on whose behalf a volume or brightness level is asked for.
struct LevelRequester {
    std::string bundleId;
    LevelPurpose purpose;
};

}  // namespace morvane
