#include "device/LevelText.h"

#include <cstdio>

namespace device {

std::string levelText(double level) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", level);
    std::string shown(text);
    if (shown.size() > 4 && shown.back() == '0' && shown.find('.') != std::string::npos &&
        shown.size() - shown.find('.') > 3) {
        shown.pop_back();
    }
    return shown;
}

}  // namespace device
