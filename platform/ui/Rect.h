#pragma once

#include "ui/Point.h"
#include "ui/Size.h"

namespace ui {

// A rectangle: origin and size, in points ("CGRect").
struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    // "CGRectZero".
    static Rect zero() { return Rect(); }

    double x() const { return origin.x; }
    double y() const { return origin.y; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }

    // "CGRectContainsPoint": left and top edges inside, right and bottom edges outside.
    bool contains(const Point& point) const;
    // "CGRectInset": shrinks by dx on the left and right and dy on the top and bottom;
    // negative insets grow the rectangle.
    Rect insetBy(double dx, double dy) const;

    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace ui
