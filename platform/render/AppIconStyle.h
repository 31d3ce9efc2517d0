#pragma once

#include <string>
#include <vector>

#include "ui/Color.h"

namespace render {

// How an installed app looks on the home screen: a name from its bundle identifier, two
// letters of it and a colour. An installed app's hue comes from its place on the home screen,
// each a golden angle (137.5°) from the one before, so apps side by side (and any two of the
// first few) have hues far apart; an app the caller does not list gets a hue from a hash.
class AppIconStyle {
  public:
    // The last part of the identifier, its first letter capitalised: "com.example.maps" →
    // "Maps". The whole identifier when it ends in a dot.
    static std::string displayName(const std::string& bundleIdentifier);
    // A saturated colour: its hue from the app's place in `installedApps` (in the home
    // screen's order), or from a hash (FNV-1a) of the identifier when it is not there.
    static ui::ColorComponents color(const std::string& bundleIdentifier,
                                     const std::vector<std::string>& installedApps = {});
    // The icon's letters: the display name's first two characters (whole UTF-8 sequences),
    // the first capitalised ("Maps" → "Ma"); one for a one-letter name.
    static std::string initials(const std::string& bundleIdentifier);
};

}  // namespace render
