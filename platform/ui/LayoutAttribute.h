#pragma once

namespace ui {

// What a layout constraint relates ("NSLayoutAttribute"), with the device's values.
enum class LayoutAttribute : long {
    NotAnAttribute = 0,
    Left = 1,
    Right = 2,
    Top = 3,
    Bottom = 4,
    Leading = 5,
    Trailing = 6,
    Width = 7,
    Height = 8,
    CenterX = 9,
    CenterY = 10,
};

// How the two sides relate ("NSLayoutRelation").
enum class LayoutRelation : long {
    LessThanOrEqual = -1,
    Equal = 0,
    GreaterThanOrEqual = 1,
};

}  // namespace ui
