#include "render/SliderPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/Shapes.h"

namespace render {

namespace {
// A translucent grey, as the phone's fill: darker than a light platter and lighter than a
// dark one, so the track beyond the thumb shows in both appearances.
constexpr ui::ColorComponents kMaximumTrack{0.47, 0.47, 0.5, 0.5};
constexpr ui::ColorComponents kThumb{1, 1, 1, 1};
}  // namespace

double SliderPainter::thumbCenterX(const ui::Slider& slider) {
    const double width = slider.bounds().width();
    const double radius = ui::Slider::kThumbDiameter / 2;
    const double range = static_cast<double>(slider.maximumValue()) - slider.minimumValue();
    const double fraction =
        range > 0 ? std::clamp((slider.value() - slider.minimumValue()) / range, 0.0, 1.0) : 0;
    const double track = std::max(0.0, width - ui::Slider::kThumbDiameter);
    const double fromLeading = radius + fraction * track;
    return slider.isRightToLeft() ? width - fromLeading : fromLeading;
}

bool SliderPainter::draw(cairo_t* cr, ui::View& view) {
    auto* slider = rt::cast<ui::Slider>(&view);
    if (!slider) return false;
    const double width = view.bounds().width();
    const double middle = view.bounds().height() / 2;
    const double thumbX = thumbCenterX(*slider);
    const bool rightToLeft = slider->isRightToLeft();
    const ui::Rect track(0, middle - kTrackHeight / 2, width, kTrackHeight);

    const rt::Ref<ui::Color> minimum =
        slider->minimumTrackTintColor() ? slider->minimumTrackTintColor() : slider->tintColor();
    Shapes::roundedRectangle(cr, track, kTrackHeight / 2);
    if (slider->maximumTrackTintColor()) {
        Shapes::setColor(cr, slider->maximumTrackTintColor().get());
    } else {
        Shapes::setColor(cr, kMaximumTrack);
    }
    cairo_fill(cr);
    const ui::Rect filled = rightToLeft ? ui::Rect(thumbX, track.y(), width - thumbX, kTrackHeight)
                                        : ui::Rect(0, track.y(), thumbX, kTrackHeight);
    Shapes::roundedRectangle(cr, filled, kTrackHeight / 2);
    Shapes::setColor(cr, minimum.get());
    cairo_fill(cr);

    const double radius = ui::Slider::kThumbDiameter / 2;
    constexpr double kFullTurn = 2 * std::numbers::pi;
    cairo_arc(cr, thumbX, middle + 1, radius + 0.5, 0, kFullTurn);  // the thumb's soft shadow
    cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
    cairo_fill(cr);
    cairo_arc(cr, thumbX, middle, radius, 0, kFullTurn);
    if (slider->thumbTintColor()) {
        Shapes::setColor(cr, slider->thumbTintColor().get());
    } else {
        Shapes::setColor(cr, kThumb);
    }
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.06);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    return true;
}

}  // namespace render
