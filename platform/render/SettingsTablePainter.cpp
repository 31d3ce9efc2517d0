#include "render/SettingsTablePainter.h"

#include "render/Shapes.h"
#include "ui/IndexPath.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace render {

bool SettingsTablePainter::drawTable(cairo_t* cr, ui::View& view) {
    auto* table = rt::cast<ui::TableView>(&view);
    if (!table || table->style() == ui::TableViewStyle::Plain) return false;
    const ui::Rect& bounds = view.bounds();
    cairo_rectangle(cr, 0, 0, bounds.width(), bounds.height());
    cairo_clip_preserve(cr);
    if (view.backgroundColor()) {
        cairo_new_path(cr);
    } else {
        Shapes::setColor(cr, kGroupedBackground);
        cairo_fill(cr);
    }
    // The cards stand in the table's content, which its bounds' origin scrolls.
    cairo_translate(cr, -bounds.x(), -bounds.y());
    const double cardWidth = bounds.width() - 2 * kCardInset;
    for (long section = 0; section < table->numberOfSections(); ++section) {
        const long rows = table->numberOfRowsInSection(section);
        if (rows == 0) continue;
        const ui::Rect first =
            table->rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(0, section).get());
        const ui::Rect last =
            table->rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(rows - 1, section).get());
        const ui::Rect card(kCardInset, first.y(), cardWidth, last.maxY() - first.y());
        if (card.height() <= 0 || !Shapes::isFinite(card)) continue;
        Shapes::roundedRectangle(cr, card, kCardRadius);
        Shapes::setColor(cr, kCard);
        cairo_fill(cr);
        for (long row = 0; row + 1 < rows; ++row) {
            const ui::Rect above =
                table->rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(row, section).get());
            cairo_rectangle(cr, kSeparatorInset, above.maxY() - 0.25, card.maxX() - kSeparatorInset,
                            0.5);
            Shapes::setColor(cr, kSeparator);
            cairo_fill(cr);
        }
    }
    return true;
}

bool SettingsTablePainter::drawCell(cairo_t* cr, ui::View& view) {
    auto* cell = rt::cast<ui::TableViewCell>(&view);
    if (!cell) return false;
    if (cell->accessoryType() != ui::TableViewCellAccessoryType::DisclosureIndicator ||
        cell->accessoryView())
        return true;
    const double width = view.bounds().width();
    const double middle = view.bounds().height() / 2;
    const double tip = width - kCardInset - 12;
    const bool rightToLeft = view.isRightToLeft();
    const double x = rightToLeft ? width - tip : tip;
    const double reach = rightToLeft ? 5 : -5;
    cairo_move_to(cr, x + reach, middle - 6);
    cairo_line_to(cr, x, middle);
    cairo_line_to(cr, x + reach, middle + 6);
    Shapes::setColor(cr, kChevron);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    return true;
}

}  // namespace render
