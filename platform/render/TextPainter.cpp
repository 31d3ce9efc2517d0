#include "render/TextPainter.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "render/CairoHandles.h"
#include "render/Shapes.h"

namespace render {

namespace {

// Widths beyond this are set as this wide (Pango counts in 1/1024 points in an int).
constexpr double kWidestBox = 100000;

struct FontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};

double usableSize(double size) {
    if (!std::isfinite(size) || size < TextPainter::kSmallestSize ||
        size > TextPainter::kLargestSize)
        return TextPainter::kDefaultSize;
    return size;
}

// The text as valid UTF-8: a broken byte sequence shows a replacement character.
std::string validText(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

// The direction of the text's first letter of a strong direction (neutral when none).
PangoDirection firstStrongDirection(const std::string& text) {
    // Deprecated in Pango without a replacement of the same scope; still what the layout uses.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return pango_find_base_dir(text.c_str(), -1);
#pragma GCC diagnostic pop
}

PangoLayoutHandle makeLayout(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayoutHandle layout(pango_cairo_create_layout(cr));
    PangoContext* context = pango_layout_get_context(layout.get());
    std::unique_ptr<cairo_font_options_t, FontOptionsRelease> options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options.get());

    const std::string valid = validText(text);
    PangoDirection direction = firstStrongDirection(valid);
    if (direction == PANGO_DIRECTION_NEUTRAL)
        direction = style.rightToLeftByDefault ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_LTR;
    pango_context_set_base_dir(context, direction);
    pango_layout_set_auto_dir(layout.get(), FALSE);  // alignments stay where they are asked
    pango_layout_context_changed(layout.get());

    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, TextPainter::kFontFamily);
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, usableSize(style.pointSize) * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font);
    pango_font_description_free(font);
    pango_layout_set_text(layout.get(), valid.c_str(), -1);
    return layout;
}

PangoAlignment pangoAlignment(TextStyle::Alignment alignment) {
    switch (alignment) {
        case TextStyle::Alignment::Center:
            return PANGO_ALIGN_CENTER;
        case TextStyle::Alignment::Right:
            return PANGO_ALIGN_RIGHT;
        case TextStyle::Alignment::Left:
            break;
    }
    return PANGO_ALIGN_LEFT;
}

}  // namespace

void TextPainter::draw(cairo_t* cr, const std::string& text, const ui::Rect& box,
                       const TextStyle& style) {
    if (text.empty() || !Shapes::isFinite(box) || box.width() <= 0 || box.height() <= 0) return;
    PangoLayoutHandle layout = makeLayout(cr, text, style);
    const double width = std::min(box.width(), kWidestBox);
    pango_layout_set_width(layout.get(), static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_alignment(layout.get(), pangoAlignment(style.alignment));
    pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    if (style.maximumLines == 1) {
        pango_layout_set_height(layout.get(), -1);
    } else {
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
        pango_layout_set_height(layout.get(),
                                style.maximumLines > 0
                                    ? -static_cast<int>(std::min(style.maximumLines, 10000L))
                                    : -10000);
    }
    PangoRectangle logical{};
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    const double textHeight = static_cast<double>(logical.height) / PANGO_SCALE;
    const double left = std::max(box.x(), box.x() + (box.width() - width) / 2);
    double top = box.y() + (box.height() - textHeight) / 2;
    if (!std::isfinite(top) || std::fabs(top) > kWidestBox) top = 0;
    cairo_save(cr);
    Shapes::setColor(cr, style.color);
    cairo_move_to(cr, std::fabs(left) > kWidestBox ? 0 : left, top);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

ui::Size TextPainter::measure(cairo_t* cr, const std::string& text, const TextStyle& style) {
    if (text.empty()) return {};
    PangoLayoutHandle layout = makeLayout(cr, text, style);
    PangoRectangle logical{};
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return {static_cast<double>(logical.width) / PANGO_SCALE,
            static_cast<double>(logical.height) / PANGO_SCALE};
}

}  // namespace render
