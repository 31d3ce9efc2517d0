#pragma once

#include <string>

#include "device/LevelText.h"

namespace device {

// Arguments as the call log shows them: booleans as 1/0, integers as they are, levels
// with two or three decimals, objects by a short description.
inline std::string argumentText(bool value) {
    return value ? "1" : "0";
}
inline std::string argumentText(long long value) {
    return std::to_string(value);
}
inline std::string argumentText(double value) {
    return levelText(value);
}
inline std::string argumentText(float value) {
    return levelText(value);
}
inline std::string argumentText(const std::string& value) {
    return value;
}

}  // namespace device
