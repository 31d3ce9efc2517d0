#pragma once

#include <string>

#include "rt/Class.h"
#include "rt/Object.h"
#include "ui/Rect.h"

namespace morvane {

// What the library adds to a menu row ("SBUIActionView") so that an editor can take the
// row's place: a subtitle of its own, fading the row's content out and back, and the
// rectangle the content occupies.
class ActionViewContent {
  public:
    static constexpr double kFadeDuration = 0.2;
    static constexpr double kEnabledTogglesAlpha = 0.8;
    static constexpr double kLegibilityTreatedAlpha = 0.35;
    static constexpr double kCarbonLegibilityTitleAlpha = 0.8;
    static constexpr double kNoctisLegibilityTitleAlpha = 0;

    // "setCustomSubtitle:": the subtitle label's text, and the legibility-treated one's on
    // systems newer than 11.4.1.
    static void setCustomSubtitle(rt::Object* row, const std::string& subtitle);
    // "hideAllContent:": fades the title, subtitle, enabled toggles and legibility-treated
    // labels out (and hides them once faded) or shows them and fades them back in.
    static void hideAllContent(rt::Object* row, bool hide);
    // "getContentFrame": the title container's x and width, the row's y and height.
    static ui::Rect getContentFrame(rt::Object* row);

    // The alpha of the legibility-treated title when the content shows.
    static double legibilityTreatedTitleAlpha();
};

}  // namespace morvane
