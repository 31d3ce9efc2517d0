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

std::string MenuTexts::savedLevelSubtitle(float level) {
    const float percent = level * 100.0f;
    return formatted("Custom value: %.0f%%", static_cast<double>(percent));
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
    const float percent = level * 100.0f;
    return formatted("%.0f%%", static_cast<double>(percent));
}

}  // namespace morvane
