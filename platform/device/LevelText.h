#pragma once

#include <string>

namespace device {

// A level as the timeline shows it: at least two decimals, three where the third matters
// ("0.70", "0.205"). A float widened to double reads as the float was written.
std::string levelText(double level);

}  // namespace device
