#pragma once

#include <cstddef>
#include <string>

namespace morvane {

// The three custom entries of an icon menu and the texts they show. Literal English: menu
// subtitles are not translated.
class MenuTexts {
  public:
    static constexpr const char* kVolumeTitle = "Volume";
    static constexpr const char* kBrightnessTitle = "Brightness";
    static constexpr const char* kTogglesTitle = "Toggles";

    static constexpr const char* kVolumeType = "CustomVolumeItem";
    static constexpr const char* kBrightnessType = "CustomBrightnessItem";
    static constexpr const char* kTogglesType = "CustomTogglesItem";

    static constexpr const char* kVolumeIcon = "volumeIcon";
    static constexpr const char* kBrightnessIcon = "brightnessIcon";
    static constexpr const char* kTogglesIcon = "togglesIcon";

    static constexpr const char* kNoVolumeSubtitle = "Set custom volume";
    static constexpr const char* kNoBrightnessSubtitle = "Set custom brightness";
    static constexpr const char* kNoTogglesSubtitle = "Set custom toggles";
    // Keeps a subtitle line under the title, where the row of enabled toggles is drawn.
    static constexpr const char* kTogglesRowSubtitle = " ";

    static constexpr double kNoLevel = -1.0;

    // "Custom value: 42%" for a level of 0.42 (the level times 100, "%.0f").
    static std::string customLevelSubtitle(double level);
    // The same for a level just saved from a slider: times 100 in single precision.
    static std::string savedLevelSubtitle(float level);
    // A stored level's subtitle, or the fallback when there is none (exactly -1).
    static std::string levelSubtitle(double level, const char* fallback);
    // "Custom toggles: 3" when counting, " " otherwise; the fallback for none.
    static std::string togglesSubtitle(std::size_t storedToggles, bool showCount);
    // The percent label of a slider: the level times 100 in single precision, "%.0f%%".
    static std::string percentText(float level);
};

}  // namespace morvane
