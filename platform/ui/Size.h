#pragma once

namespace ui {

// A width and a height in points ("CGSize").
struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace ui
