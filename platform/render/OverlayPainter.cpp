#include "render/OverlayPainter.h"

#include <algorithm>
#include <cmath>

#include "render/ImagePainter.h"
#include "render/Shapes.h"
#include "render/TextPainter.h"

namespace render {

namespace {
// The phone's light material, nearly opaque, with a soft shadow and a thin dark rim so it
// stands out over a pale app as well as over the wallpaper.
constexpr ui::ColorComponents kPanel{0.96, 0.96, 0.97, 0.97};
constexpr double kCornerRadius = 12;
constexpr ui::ColorComponents kInk{0.25, 0.25, 0.27, 1};
constexpr double kGlyphSide = 72;
}  // namespace

int OverlayPainter::litSegments(double level) {
    if (!std::isfinite(level)) return 0;
    return static_cast<int>(std::lround(std::clamp(level, 0.0, 1.0) * kSegments));
}

void OverlayPainter::draw(cairo_t* cr, const ui::Point& center, const std::string& title,
                          const std::string& glyphName, double level, GlyphSet& glyphs) {
    const ui::Rect panel(center.x - kSide / 2, center.y - kSide / 2, kSide, kSide);
    for (double spread : {6.0, 3.0}) {
        const ui::Rect shadow = panel.insetBy(-spread, -spread);
        Shapes::roundedRectangle(cr, ui::Rect(shadow.x(), shadow.y() + 2, shadow.width(),
                                              shadow.height()),
                                 kCornerRadius + spread);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.1);
        cairo_fill(cr);
    }
    Shapes::setColor(cr, kPanel);
    Shapes::roundedRectangle(cr, panel, kCornerRadius);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    TextStyle titleStyle;
    titleStyle.pointSize = 15;
    titleStyle.bold = true;
    titleStyle.color = kInk;
    titleStyle.alignment = TextStyle::Alignment::Center;
    TextPainter::draw(cr, title, ui::Rect(panel.x(), panel.y() + 10, kSide, 20), titleStyle);

    if (rt::Ref<ui::Image> glyph = glyphs.glyph(glyphName)) {
        auto tint = ui::Color(ui::Color::Space::Rgb, kInk);
        ImagePainter::draw(cr, *glyph,
                           ui::Rect(center.x - kGlyphSide / 2, center.y - kGlyphSide / 2 + 2,
                                    kGlyphSide, kGlyphSide),
                           ui::ContentMode::ScaleAspectFit, &tint, 1);
    }

    const double rowWidth = kSide - 30;
    const double segmentGap = 1;
    const double segmentWidth = (rowWidth - (kSegments - 1) * segmentGap) / kSegments;
    const double rowTop = panel.maxY() - 22;
    const int lit = litSegments(level);
    for (int i = 0; i < kSegments; ++i) {
        Shapes::setColor(cr, kInk, i < lit ? 1.0 : 0.18);
        cairo_rectangle(cr, panel.x() + 15 + i * (segmentWidth + segmentGap), rowTop, segmentWidth,
                        6);
        cairo_fill(cr);
    }
}

}  // namespace render
