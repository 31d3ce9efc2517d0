#pragma once

#include <string>

#include "ui/Color.h"

namespace render {

// How an installed app looks on the home screen: a name from its bundle identifier and a
// colour derived from it, so the same app always has the same icon and different apps
// (almost always) differ.
class AppIconStyle {
  public:
    // The last part of the identifier, its first letter capitalised: "com.example.maps" →
    // "Maps". The whole identifier when it ends in a dot.
    static std::string displayName(const std::string& bundleIdentifier);
    // A saturated colour whose hue comes from a hash (FNV-1a) of the identifier.
    static ui::ColorComponents color(const std::string& bundleIdentifier);
    // The first character (a whole UTF-8 sequence) of the display name, capitalised.
    static std::string initial(const std::string& bundleIdentifier);
};

}  // namespace render
