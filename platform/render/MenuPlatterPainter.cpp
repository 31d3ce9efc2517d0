#include "render/MenuPlatterPainter.h"

#include <algorithm>
#include <vector>

#include "render/Shapes.h"
#include "rt/Class.h"
#include "ui/Color.h"

namespace render {

namespace {

bool isPlatter(const ui::View& view) {
    for (const rt::Class* cls = view.getClass(); cls; cls = cls->superclass()) {
        if (cls->name() == MenuPlatterPainter::kPlatterClassName) return true;
    }
    return false;
}

// Dark ink over a light platter, light ink over a dark one.
bool isDarkPlatter(const ui::View& view) {
    const rt::Ref<ui::Color> background = view.backgroundColor();
    if (!background) return false;
    const ui::ColorComponents color = background->components();
    return 0.3 * color.red + 0.59 * color.green + 0.11 * color.blue < 0.5;
}

}  // namespace

bool MenuPlatterPainter::draw(cairo_t* cr, ui::View& view) {
    if (!isPlatter(view)) return false;
    // The rows: visible subviews across the whole width, top to bottom.
    std::vector<double> rowBottoms;
    for (const auto& row : view.subviews()) {
        const ui::Rect frame = row->frame();
        if (row->isHidden() || frame.width() < view.bounds().width() - 1) continue;
        rowBottoms.push_back(frame.maxY());
    }
    std::sort(rowBottoms.begin(), rowBottoms.end());
    if (!rowBottoms.empty()) rowBottoms.pop_back();  // no line under the last row
    const double ink = isDarkPlatter(view) ? 1 : 0;
    for (double y : rowBottoms) {  // along the upper row's bottom edge
        cairo_rectangle(cr, view.bounds().minX(), y - kSeparatorWidth, view.bounds().width(),
                        kSeparatorWidth);
        cairo_set_source_rgba(cr, ink, ink, ink, 0.22);
        cairo_fill(cr);
    }
    return true;
}

}  // namespace render
