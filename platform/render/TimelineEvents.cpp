#include "render/TimelineEvents.h"

#include <cstdlib>

namespace render {

namespace {

constexpr std::string_view kArrow = " → ";
constexpr std::string_view kHomeScreen = "home screen";

// The number at the start of `text`, or none.
std::optional<double> numberAt(std::string_view text) {
    const std::string copy(text.substr(0, 32));
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) return std::nullopt;
    return value;
}

std::optional<device::SwitchState> stateNamed(std::string_view name) {
    for (auto state :
         {device::SwitchState::Off, device::SwitchState::On, device::SwitchState::Indeterminate}) {
        if (device::switchStateName(state) == name) return state;
    }
    return std::nullopt;
}

// "before → after (…)": the two words around the arrow.
bool splitChange(std::string_view rest, std::string_view& before, std::string_view& after) {
    const auto arrow = rest.find(kArrow);
    if (arrow == std::string_view::npos) return false;
    before = rest.substr(0, arrow);
    after = rest.substr(arrow + kArrow.size());
    after = after.substr(0, after.find(' '));
    return true;
}

bool isForeground(std::string_view state) {
    return state == "running, foreground" || state == "running, foreground, obscured";
}

}  // namespace

TimelineEvents TimelineEvents::read(const device::Timeline& timeline) {
    TimelineEvents events;
    for (const device::TimelineEntry& entry : timeline.entries()) events.readEntry(entry);
    return events;
}

void TimelineEvents::readEntry(const device::TimelineEntry& entry) {
    const std::string_view text = entry.text;
    const auto space = text.find(' ');
    if (space == std::string_view::npos) return;
    const std::string_view word = text.substr(0, space);
    std::string_view before, after;
    if (!splitChange(text.substr(space + 1), before, after)) {
        if (entry.actor.name() == kHomeScreen) {
            if (const auto colon = text.find(": "); colon != std::string_view::npos)
                readAppEntry(entry, colon);
        }
        return;
    }
    if (word == "volume" || word == "brightness") {
        const auto from = numberAt(before);
        const auto to = numberAt(after);
        if (!from || !to) return;
        _levels.push_back({entry.time, word == "volume" ? Level::Volume : Level::Brightness, *from,
                           *to, text.find("overlay shown)") != std::string_view::npos});
    } else if (const auto which = device::switchNamed(word)) {
        const auto from = stateNamed(before);
        const auto to = stateNamed(after);
        if (from && to) _switches.push_back({entry.time, *which, *from, *to});
    }
}

// "com.example.maps: running, foreground (home screen)".
void TimelineEvents::readAppEntry(const device::TimelineEntry& entry, std::size_t colon) {
    const std::string_view text = entry.text;
    const std::string bundleIdentifier(text.substr(0, colon));
    std::string_view state = text.substr(colon + 2);
    state = state.substr(0, state.rfind(" ("));
    AppSpan* open = nullptr;
    for (AppSpan& span : _apps) {
        if (span.bundleIdentifier == bundleIdentifier && !span.end) open = &span;
    }
    if (isForeground(state)) {
        if (!open) _apps.push_back({bundleIdentifier, entry.time, std::nullopt});
    } else if (open) {
        open->end = entry.time;
    }
}

std::optional<std::string> TimelineEvents::frontApp() const {
    const AppSpan* latest = nullptr;
    for (const AppSpan& span : _apps) {
        if (!span.end && (!latest || span.start >= latest->start)) latest = &span;
    }
    if (!latest) return std::nullopt;
    return latest->bundleIdentifier;
}

}  // namespace render
