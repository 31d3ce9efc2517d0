#pragma once

namespace ui {

// How a view's content fills its bounds ("UIViewContentMode"), with the device's values.
enum class ContentMode : long {
    ScaleToFill = 0,
    ScaleAspectFit = 1,
    ScaleAspectFill = 2,
    Redraw = 3,
    Center = 4,
    Top = 5,
    Bottom = 6,
    Left = 7,
    Right = 8,
    TopLeft = 9,
    TopRight = 10,
    BottomLeft = 11,
    BottomRight = 12,
};

}  // namespace ui
