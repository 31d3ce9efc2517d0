#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/Switch.h"
#include "device/SwitchState.h"
#include "device/Timeline.h"

namespace render {

// The phone's timeline read back into what a picture shows: level changes, switch changes
// and the spans in which apps were in front. Entries of other kinds are skipped.
class TimelineEvents {
  public:
    enum class Level { Volume, Brightness };

    struct LevelChange {
        double time = 0;
        Level level = Level::Volume;
        double before = 0;
        double after = 0;
        bool overlayShown = false;
    };
    struct SwitchChange {
        double time = 0;
        device::Switch which = device::Switch::Wifi;
        device::SwitchState before = device::SwitchState::Off;
        device::SwitchState after = device::SwitchState::Off;
    };
    // An app in the foreground from `start` until `end` (none: still in front).
    struct AppSpan {
        std::string bundleIdentifier;
        double start = 0;
        std::optional<double> end;
    };

    static TimelineEvents read(const device::Timeline& timeline);

    const std::vector<LevelChange>& levelChanges() const { return _levels; }
    const std::vector<SwitchChange>& switchChanges() const { return _switches; }
    const std::vector<AppSpan>& appSpans() const { return _apps; }
    // The app that came to the front last and has not left.
    std::optional<std::string> frontApp() const;

  private:
    void readEntry(const device::TimelineEntry& entry);
    void readAppEntry(const device::TimelineEntry& entry, std::size_t colon);

    std::vector<LevelChange> _levels;
    std::vector<SwitchChange> _switches;
    std::vector<AppSpan> _apps;
};

}  // namespace render
