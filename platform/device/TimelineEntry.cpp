#include "device/TimelineEntry.h"

#include <cstdio>

namespace device {

std::string TimelineEntry::format() const {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f", time);
    return std::string(stamp) + "  " + text;
}

}  // namespace device
