#include "render/NavigationBarPainter.h"

#include <algorithm>
#include <string>

#include "render/Shapes.h"
#include "render/TextPainter.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"

namespace render {

namespace {

constexpr double kBackChevronX = 9;
constexpr double kBackTitleX = 26;
constexpr double kBackTitleGap = 8;

// Where the title's text starts across the bar: the text of the title (or of the first label
// of the title view) centred in the room it is given.
double titleTextStart(cairo_t* cr, const ui::NavigationBar& bar, const TextStyle& style) {
    const rt::Ref<ui::NavigationItem>& item = bar.topItem();
    const double width = bar.bounds().width();
    if (!item) return width;
    std::string text = item->title();
    ui::Rect room(ui::NavigationBar::kButtonRoom, 0, width - 2 * ui::NavigationBar::kButtonRoom, 0);
    if (const rt::Ref<ui::View>& titleView = item->titleView()) {
        room = titleView->frame();
        text.clear();
        for (const rt::Ref<ui::View>& subview : titleView->subviews())
            if (auto* label = rt::cast<ui::Label>(subview.get()); label && label->alpha() > 0.5)
                text = label->text();
    }
    if (text.empty()) return width;
    const double textWidth = std::min(room.width(), TextPainter::measure(cr, text, style).width);
    return room.x() + (room.width() - textWidth) / 2;
}

// The back button at the bar's leading edge: a chevron and the title of the page below in the
// bar's tint; "Back" when that title would run into the page's own, only the chevron when
// even that would.
void drawBackButton(cairo_t* cr, const ui::NavigationBar& bar, double height) {
    const ui::ColorComponents tint =
        bar.tintColor() ? bar.tintColor()->components() : ui::ColorComponents{0, 0.48, 1, 1};
    const double middle = height / 2;
    cairo_set_source_rgba(cr, tint.red, tint.green, tint.blue, tint.alpha);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, kBackChevronX + 9, middle - 10);
    cairo_line_to(cr, kBackChevronX, middle);
    cairo_line_to(cr, kBackChevronX + 9, middle + 10);
    cairo_stroke(cr);
    TextStyle style;
    style.pointSize = NavigationBarPainter::kTitleSize;
    style.alignment = TextStyle::Alignment::Left;
    style.color = tint;
    TextStyle titleStyle = style;
    titleStyle.bold = true;
    const double limit = titleTextStart(cr, bar, titleStyle) - kBackTitleGap;
    for (const std::string& text : {bar.backTitle(), std::string("Back")}) {
        const double textWidth = TextPainter::measure(cr, text, style).width;
        if (kBackTitleX + textWidth > limit) continue;
        TextPainter::draw(cr, text, ui::Rect(kBackTitleX, 0, textWidth + 1, height), style);
        return;
    }
}

}  // namespace

bool NavigationBarPainter::draw(cairo_t* cr, ui::View& view) {
    auto* bar = rt::cast<ui::NavigationBar>(&view);
    if (!bar) return false;
    const double width = view.bounds().width();
    const double height = view.bounds().height();
    // The bar's colour reaches up under the status bar, as on the phone.
    const double top = std::min(0.0, -view.frame().y());
    cairo_rectangle(cr, 0, top, width, height - top);
    if (bar->barTintColor()) {
        Shapes::setColor(cr, bar->barTintColor().get());
    } else {
        Shapes::setColor(cr, kDefaultBar);
    }
    cairo_fill(cr);
    if (bar->showsHairline()) {
        cairo_rectangle(cr, 0, height - 0.5, width, 0.5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
        cairo_fill(cr);
    }

    if (!bar->backTitle().empty()) drawBackButton(cr, *bar, height);
    const rt::Ref<ui::NavigationItem>& item = bar->topItem();
    if (!item) return true;
    if (!item->titleView() && !item->title().empty()) {
        TextStyle style;
        style.pointSize = kTitleSize;
        style.bold = true;
        style.alignment = TextStyle::Alignment::Center;
        if (bar->titleColor()) style.color = bar->titleColor()->components();
        TextPainter::draw(cr, item->title(),
                          ui::Rect(ui::NavigationBar::kButtonRoom, 0,
                                   width - 2 * ui::NavigationBar::kButtonRoom, height),
                          style);
    }
    if (const rt::Ref<ui::BarButtonItem>& button = item->rightBarButtonItem();
        button && !button->title().empty()) {
        TextStyle style;
        style.pointSize = kTitleSize;
        style.alignment = TextStyle::Alignment::Right;
        const rt::Ref<ui::Color> tint =
            button->tintColor() ? button->tintColor() : bar->tintColor();
        if (tint) style.color = tint->components();
        TextPainter::draw(cr, button->title(),
                          ui::Rect(width / 2, 0, width / 2 - kButtonMargin, height), style);
    }
    return true;
}

}  // namespace render
