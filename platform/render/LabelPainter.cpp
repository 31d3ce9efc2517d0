#include "render/LabelPainter.h"

#include "render/TextPainter.h"

namespace render {

TextStyle LabelPainter::styleOf(const ui::Label& label) {
    TextStyle style;
    const bool rightToLeft = label.isRightToLeft();
    style.pointSize = label.font() ? label.displayedFontSize() : TextPainter::kDefaultSize;
    style.bold = label.font() && label.font()->isBold();
    if (label.textColor()) style.color = label.textColor()->components();
    switch (label.textAlignment()) {
        case ui::TextAlignment::Left:
            style.alignment = TextStyle::Alignment::Left;
            break;
        case ui::TextAlignment::Center:
            style.alignment = TextStyle::Alignment::Center;
            break;
        case ui::TextAlignment::Right:
            style.alignment = TextStyle::Alignment::Right;
            break;
        case ui::TextAlignment::Natural:
        case ui::TextAlignment::Justified:
            style.alignment =
                rightToLeft ? TextStyle::Alignment::Right : TextStyle::Alignment::Left;
            break;
    }
    style.maximumLines = label.numberOfLines() < 0 ? 1 : label.numberOfLines();
    style.rightToLeftByDefault = rightToLeft;
    return style;
}

bool LabelPainter::draw(cairo_t* cr, ui::View& view) {
    auto* label = rt::cast<ui::Label>(&view);
    if (!label) return false;
    TextPainter::draw(cr, label->text(),
                      ui::Rect(0, 0, view.bounds().width(), view.bounds().height()),
                      styleOf(*label));
    return true;
}

}  // namespace render
