#pragma once

#include <cairo.h>

#include "render/TextStyle.h"
#include "ui/Label.h"

namespace render {

// A label's text in its bounds: its font at the size it is shown in (fitted to the width
// when the label asks), its colour, its alignment (natural and justified follow the
// interface's direction: right in a right-to-left interface), one line cut with an ellipsis
// or as many as it allows, centred on its height.
class LabelPainter {
  public:
    static TextStyle styleOf(const ui::Label& label);
    // The ContentPainter of labels.
    static bool draw(cairo_t* cr, ui::View& view);
};

}  // namespace render
