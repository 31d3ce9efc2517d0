#include "render/AlertPainter.h"

#include <algorithm>

#include "render/Shapes.h"
#include "render/TextPainter.h"

namespace render {

namespace {

constexpr double kCornerRadius = 13;
constexpr double kTextInset = 16;
constexpr double kTitleTop = 20;
constexpr double kTitleHeight = 22;
constexpr double kMessageHeight = 36;  // two lines of 13-point text
constexpr double kTextBottom = 18;
constexpr double kSheetMargin = 10;
constexpr ui::ColorComponents kPlatter{0.97, 0.97, 0.97, 0.98};
constexpr ui::ColorComponents kHairline{0, 0, 0, 0.2};

TextStyle style(double size, bool bold, const ui::ColorComponents& color, long lines = 1) {
    TextStyle made;
    made.pointSize = size;
    made.bold = bold;
    made.color = color;
    made.alignment = TextStyle::Alignment::Center;
    made.maximumLines = lines;
    return made;
}

void hairline(cairo_t* cr, double x, double y, double width, double height) {
    Shapes::setColor(cr, kHairline);
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
}

void drawButton(cairo_t* cr, const ui::AlertAction& action, const ui::Rect& box) {
    const bool destructive = action.style == ui::AlertActionStyle::Destructive;
    const ui::ColorComponents ink =
        destructive ? AlertPainter::kDestructiveRed : AlertPainter::kButtonBlue;
    TextPainter::draw(cr, action.title, box.insetBy(6, 0),
                      style(17, action.style == ui::AlertActionStyle::Cancel, ink));
}

}  // namespace

ui::Rect AlertPainter::draw(cairo_t* cr, const ui::AlertController& alert, const ui::Rect& screen) {
    cairo_save(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_rectangle(cr, screen.x(), screen.y(), screen.width(), screen.height());
    cairo_fill(cr);

    const auto& actions = alert.actions();
    const bool sheet = alert.preferredStyle() == ui::AlertControllerStyle::ActionSheet;
    const bool sideBySide = !sheet && actions.size() == 2;
    const std::size_t buttonLines = sideBySide ? 1 : actions.size();
    const double textHeight = kTitleTop + (alert.title().empty() ? 0 : kTitleHeight) +
                              (alert.message().empty() ? 0 : kMessageHeight) + kTextBottom;
    const double height = textHeight + kButtonHeight * static_cast<double>(buttonLines);
    const double width = sheet ? screen.width() - 2 * kSheetMargin : kAlertWidth;
    const ui::Rect platter(screen.midX() - width / 2,
                           sheet ? screen.maxY() - kSheetMargin - height
                                 : screen.midY() - height / 2,
                           width, height);
    Shapes::roundedRectangle(cr, platter, kCornerRadius);
    Shapes::setColor(cr, kPlatter);
    cairo_fill(cr);

    double y = platter.y() + kTitleTop;
    const double textWidth = width - 2 * kTextInset;
    if (!alert.title().empty()) {
        TextPainter::draw(cr, alert.title(),
                          ui::Rect(platter.x() + kTextInset, y, textWidth, kTitleHeight),
                          style(17, true, {0, 0, 0, 1}));
        y += kTitleHeight;
    }
    if (!alert.message().empty()) {
        TextPainter::draw(cr, alert.message(),
                          ui::Rect(platter.x() + kTextInset, y, textWidth, kMessageHeight),
                          style(13, false, {0, 0, 0, 1}, 2));
    }
    y = platter.y() + textHeight;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const double buttonWidth = sideBySide ? width / 2 : width;
        const ui::Rect box(platter.x() + (sideBySide ? buttonWidth * static_cast<double>(i) : 0),
                           sideBySide ? y : y + kButtonHeight * static_cast<double>(i),
                           buttonWidth, kButtonHeight);
        hairline(cr, box.x(), box.y(), box.width(), 0.5);
        if (sideBySide && i == 1) hairline(cr, box.x(), box.y(), 0.5, box.height());
        drawButton(cr, actions[i], box);
    }
    cairo_restore(cr);
    return platter;
}

}  // namespace render
