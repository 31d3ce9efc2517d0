#include "tweak/menu/MenuTexts.h"

#include <cstdio>

namespace morvane {

namespace {

std::string formatted(const char* format, auto value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string MenuTexts::customLevelSubtitle(double level) {
    return formatted("Custom value: %.0f%%", level * 100.0);
}

// The level as the file stores it (single precision), widened as a press reads it back, so
// a save and the next press show the same percentage.
std::string MenuTexts::savedLevelSubtitle(float level) {
    return customLevelSubtitle(static_cast<double>(level));
}

std::string MenuTexts::levelSubtitle(double level, const char* fallback) {
    return level == kNoLevel ? std::string(fallback) : customLevelSubtitle(level);
}

std::string MenuTexts::togglesSubtitle(std::size_t storedToggles, bool showCount) {
    if (storedToggles == 0) return kNoTogglesSubtitle;
    if (showCount)
        return formatted("Custom toggles: %lu", static_cast<unsigned long>(storedToggles));
    return kTogglesRowSubtitle;
}

std::string MenuTexts::percentText(float level) {
    return formatted("%.0f%%", static_cast<double>(level) * 100.0);
}

}  // namespace morvane
