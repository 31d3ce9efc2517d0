#include "device/SetCounts.h"

namespace device {

std::optional<int> SetCounts::named(std::string_view quantity) const {
    if (quantity == "volume") return volume;
    if (quantity == "brightness") return brightness;
    if (const auto which = switchNamed(quantity)) return of(*which);
    return std::nullopt;
}

}  // namespace device
