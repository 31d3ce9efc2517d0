#include "ui/Label.h"

#include <algorithm>

namespace ui {

namespace {
constexpr double kDefaultFontSize = 17;
}

Label::Label() : Label(Rect::zero()) {}

Label::Label(const Rect& frame)
    : View(frame),
      _font(Font::systemFontOfSize(kDefaultFontSize)),
      _textColor(Color::blackColor()) {
    setUserInteractionEnabled(false);
}

void Label::setText(std::string text) {
    _text = std::move(text);
    noteAnimatableChange("text");
}

void Label::setFont(rt::Ref<Font> font) {
    _font = font ? std::move(font) : Font::systemFontOfSize(kDefaultFontSize);
}

void Label::setTextColor(rt::Ref<Color> color) {
    _textColor = color ? std::move(color) : Color::blackColor();
    noteAnimatableChange("textColor");
}

void Label::setMinimumScaleFactor(double factor) {
    _minimumScaleFactor = std::clamp(factor, 0.0, 1.0);
}

double Label::displayedFontSize() const {
    const double size = _font->pointSize();
    if (!_adjustsFontSizeToFitWidth || _numberOfLines != 1) return size;
    const double needed = _font->estimatedWidthOf(_text);
    const double available = bounds().width();
    if (needed <= available || needed <= 0) return size;
    const double scale = std::max(_minimumScaleFactor, available / needed);
    return size * scale;
}

double Label::displayedTextWidth() const {
    const double size = _font->pointSize();
    return size > 0 ? _font->estimatedWidthOf(_text) * displayedFontSize() / size : 0;
}

}  // namespace ui
