#include "render/SwitchPainter.h"

#include <algorithm>
#include <numbers>

#include "render/Shapes.h"

namespace render {

double SwitchPainter::knobCenterX(const ui::Switch& control) {
    const double width = control.bounds().width();
    const double radius = std::max(0.0, control.bounds().height() / 2 - kKnobInset);
    const bool trailing = control.isOn() != control.isRightToLeft();
    return trailing ? width - kKnobInset - radius : kKnobInset + radius;
}

bool SwitchPainter::draw(cairo_t* cr, ui::View& view) {
    auto* control = rt::cast<ui::Switch>(&view);
    if (!control) return false;
    const double width = view.bounds().width();
    const double height = view.bounds().height();
    const ui::Rect track(0, 0, width, height);
    Shapes::roundedRectangle(cr, track, height / 2);
    if (control->isOn()) {
        const rt::Ref<ui::Color> on =
            control->onTintColor() ? control->onTintColor() : control->tintColor();
        Shapes::setColor(cr, on.get());
        cairo_fill(cr);
    } else {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        Shapes::roundedRectangle(cr, track.insetBy(0.75, 0.75), height / 2 - 0.75);
        Shapes::setColor(cr, kOffOutline);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }

    const double radius = std::max(0.0, height / 2 - kKnobInset);
    const double x = knobCenterX(*control);
    constexpr double kFullTurn = 2 * std::numbers::pi;
    cairo_arc(cr, x, height / 2 + 1.5, radius + 0.5, 0, kFullTurn);  // the knob's soft shadow
    cairo_set_source_rgba(cr, 0, 0, 0, 0.14);
    cairo_fill(cr);
    cairo_arc(cr, x, height / 2, radius, 0, kFullTurn);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    return true;
}

}  // namespace render
