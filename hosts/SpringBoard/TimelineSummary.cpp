#include "TimelineSummary.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace {

// Glide steps come every 2 or 10 ms; a little more allows for rounding of the times.
constexpr double kLongestStepGap = 0.0105;

// "brightness 0.50 → 0.51 (brightness controller, overlay hidden)" in its parts.
struct BrightnessStep {
    std::string from;
    std::string to;
    std::string detail;  // "(brightness controller, overlay hidden)"
};

std::optional<BrightnessStep> brightnessStep(const device::TimelineEntry& entry) {
    static const std::string kPrefix = "brightness ";
    static const std::string kArrow = " → ";
    if (entry.actor.isUser() || entry.text.rfind(kPrefix, 0) != 0) return std::nullopt;
    const auto arrow = entry.text.find(kArrow);
    const auto detail = entry.text.find(" (");
    if (arrow == std::string::npos || detail == std::string::npos || detail < arrow)
        return std::nullopt;
    return BrightnessStep{entry.text.substr(kPrefix.size(), arrow - kPrefix.size()),
                          entry.text.substr(arrow + kArrow.size(), detail - arrow - kArrow.size()),
                          entry.text.substr(detail + 1)};
}

std::string stamp(double time) {
    char text[32];
    std::snprintf(text, sizeof text, "%6.3f", time);
    return text;
}

struct Glide {
    std::size_t line;  // where its line goes
    double start;
    double end;
    int steps;
    std::string actor;
    BrightnessStep first;
    std::string lastLevel;
};

std::string describe(const Glide& glide) {
    if (glide.steps == 1) {
        return stamp(glide.start) + "  brightness " + glide.first.from + " → " + glide.lastLevel +
               " " + glide.first.detail;
    }
    return stamp(glide.start) + "  brightness " + glide.first.from + " → " + glide.lastLevel +
           ", gliding in " + std::to_string(glide.steps) + " steps until " +
           stamp(glide.end).substr(1) + " " + glide.first.detail;
}

}  // namespace

std::string TimelineSummary::format(const device::Timeline& timeline) {
    std::vector<std::string> lines;
    std::vector<Glide> glides;
    std::optional<std::size_t> open;  // index into glides of the glide still running
    for (const auto& entry : timeline.entries()) {
        const auto step = brightnessStep(entry);
        if (!step) {
            lines.push_back(stamp(entry.time) + "  " + entry.text);
            continue;
        }
        Glide* glide = open ? &glides[*open] : nullptr;
        if (glide && glide->actor == entry.actor.name() &&
            entry.time - glide->end <= kLongestStepGap && step->from == glide->lastLevel) {
            glide->end = entry.time;
            glide->lastLevel = step->to;
            ++glide->steps;
            continue;
        }
        open = glides.size();
        glides.push_back(
            Glide{lines.size(), entry.time, entry.time, 1, entry.actor.name(), *step, step->to});
        lines.emplace_back();
    }
    for (const auto& glide : glides) lines[glide.line] = describe(glide);
    std::string text = "  time  change (by whom)\n";
    for (const auto& line : lines) text += line + "\n";
    return text;
}
