#include "render/NavigationBarPainter.h"

#include "render/Shapes.h"
#include "render/TextPainter.h"
#include "ui/NavigationBar.h"

namespace render {

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
