#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "device/LatestRecords.h"
#include "device/TimelineEntry.h"

namespace device {

// The changes made to the phone, in the order they were made: the latest kCapacity at
// least, so a phone that runs for days does not grow with every change. When the record is
// full its older half is dropped (dropped() counts them).
class Timeline {
  public:
    static constexpr std::size_t kCapacity = 4096;

    void record(TimelineEntry entry);

    // The entries kept, oldest first.
    const std::vector<TimelineEntry>& entries() const { return _entries.records(); }
    // Entries dropped so far to stay within kCapacity.
    std::size_t dropped() const { return _entries.dropped(); }
    std::size_t size() const { return _entries.size(); }
    bool empty() const { return _entries.empty(); }

    // The entries whose text contains `fragment` (e.g. "volume", "wifi on → off").
    std::vector<TimelineEntry> matching(std::string_view fragment) const;

    // The whole timeline, one entry a line with the times aligned, under a heading.
    std::string format() const;

  private:
    LatestRecords<TimelineEntry, kCapacity> _entries;
};

}  // namespace device
