#include "device/Timeline.h"

#include <algorithm>

namespace device {

void Timeline::record(TimelineEntry entry) {
    _entries.record(std::move(entry));
}

std::vector<TimelineEntry> Timeline::matching(std::string_view fragment) const {
    std::vector<TimelineEntry> found;
    std::copy_if(entries().begin(), entries().end(), std::back_inserter(found),
                 [fragment](const TimelineEntry& entry) {
                     return entry.text.find(fragment) != std::string::npos;
                 });
    return found;
}

std::string Timeline::format() const {
    if (_entries.empty()) return "(no changes)\n";
    std::vector<std::string> lines;
    std::size_t stampWidth = 0;
    for (const TimelineEntry& entry : entries()) {
        lines.push_back(entry.format());
        stampWidth = std::max(stampWidth, lines.back().find("  "));
    }
    std::string text = std::string(stampWidth - std::min<std::size_t>(stampWidth, 4), ' ') +
                       "time  change (by whom)\n";
    for (const std::string& line : lines) {
        text += std::string(stampWidth - line.find("  "), ' ') + line + "\n";
    }
    return text;
}

}  // namespace device
