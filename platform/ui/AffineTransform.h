#pragma once

namespace ui {

// A 2-D affine transform ("CGAffineTransform"): x' = a x + c y + tx, y' = b x + d y + ty.
struct AffineTransform {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    // "CGAffineTransformIdentity".
    static AffineTransform identity() { return AffineTransform(); }
    // "CGAffineTransformMakeScale".
    static AffineTransform makeScale(double sx, double sy) {
        return AffineTransform{sx, 0, 0, sy, 0, 0};
    }

    bool isIdentity() const { return *this == identity(); }

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

}  // namespace ui
