#pragma once

#include "ui/Color.h"

namespace render {

// How a run of text is set: its size and weight, colour, where it sits across the box, and
// how many lines it may take.
struct TextStyle {
    enum class Alignment { Left, Center, Right };

    double pointSize = 17;
    bool bold = false;
    ui::ColorComponents color{0, 0, 0, 1};
    Alignment alignment = Alignment::Left;
    // 1: one line, cut with an ellipsis; 0: as many lines as the text needs; n: at most n.
    long maximumLines = 1;
    // The direction of text without letters of its own (digits, punctuation).
    bool rightToLeftByDefault = false;
};

}  // namespace render
