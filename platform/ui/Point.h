#pragma once

namespace ui {

// A point in a view's coordinate space, in points ("CGPoint").
struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace ui
