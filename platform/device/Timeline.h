#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "device/TimelineEntry.h"

namespace device {

// Every change made to the phone, in the order it was made.
class Timeline {
  public:
    void record(TimelineEntry entry) { _entries.push_back(std::move(entry)); }

    const std::vector<TimelineEntry>& entries() const { return _entries; }
    std::size_t size() const { return _entries.size(); }
    bool empty() const { return _entries.empty(); }

    // The entries whose text contains `fragment` (e.g. "volume", "wifi on → off").
    std::vector<TimelineEntry> matching(std::string_view fragment) const;

    // The whole timeline, one entry a line with the times aligned, under a heading.
    std::string format() const;

  private:
    std::vector<TimelineEntry> _entries;
};

}  // namespace device
