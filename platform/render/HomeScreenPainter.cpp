#include "render/HomeScreenPainter.h"

#include "render/AppIconStyle.h"
#include "render/ScreenModel.h"
#include "render/Shapes.h"
#include "render/TextPainter.h"

namespace render {

namespace {

using M = ScreenModel;
constexpr double kNameGap = 4;  // between an icon and its name
constexpr double kNameHeight = 16;
constexpr std::size_t kIconsPerPage = M::kIconColumns * M::kIconRows;

// A vertical gradient from the icon's colour lightened to the colour.
void fillIconBackground(cairo_t* cr, const ui::Rect& frame, const ui::ColorComponents& color) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, frame.minY(), 0, frame.maxY());
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.25 + 0.75 * color.red,
                                     0.25 + 0.75 * color.green, 0.25 + 0.75 * color.blue);
    cairo_pattern_add_color_stop_rgb(gradient, 1, color.red, color.green, color.blue);
    Shapes::roundedRectangle(cr, frame, M::kIconCornerRadius * frame.width() / M::kIconSize);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

}  // namespace

std::optional<ui::Rect> HomeScreenPainter::iconFrame(std::size_t index, bool rightToLeft) {
    if (index >= kIconsPerPage) return std::nullopt;
    const std::size_t column = index % M::kIconColumns;
    const std::size_t row = index / M::kIconColumns;
    const double gap = (M::kWidth - 2 * M::kGridSideMargin - M::kIconColumns * M::kIconSize) /
                       (M::kIconColumns - 1);
    double x = M::kGridSideMargin + column * (M::kIconSize + gap);
    if (rightToLeft) x = M::kWidth - x - M::kIconSize;
    return ui::Rect(x, M::kGridTop + row * M::kRowPitch, M::kIconSize, M::kIconSize);
}

void HomeScreenPainter::drawWallpaper(cairo_t* cr) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, M::kWidth * 0.4, M::kHeight);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.16, 0.27, 0.55);
    cairo_pattern_add_color_stop_rgb(gradient, 0.55, 0.36, 0.25, 0.58);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 0.78, 0.42, 0.45);
    cairo_rectangle(cr, 0, 0, M::kWidth, M::kHeight);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void HomeScreenPainter::drawIcons(cairo_t* cr, const ScreenState& state) {
    for (std::size_t i = 0; i < state.installedApps.size(); ++i) {
        const auto frame = iconFrame(i, state.rightToLeft);
        if (!frame) break;
        drawIcon(cr, state.installedApps[i], *frame, true);
    }
}

void HomeScreenPainter::drawIcon(cairo_t* cr, const std::string& bundleIdentifier,
                                 const ui::Rect& frame, bool withName) {
    fillIconBackground(cr, frame, AppIconStyle::color(bundleIdentifier));
    TextStyle letter;
    letter.pointSize = frame.width() * 0.5;
    letter.bold = true;
    letter.color = {1, 1, 1, 1};
    letter.alignment = TextStyle::Alignment::Center;
    TextPainter::draw(cr, AppIconStyle::initial(bundleIdentifier), frame, letter);
    if (!withName) return;
    TextStyle name;
    name.pointSize = M::kIconLabelSize;
    name.color = {1, 1, 1, 1};
    name.alignment = TextStyle::Alignment::Center;
    const double nameWidth = frame.width() + 20;
    TextPainter::draw(
        cr, AppIconStyle::displayName(bundleIdentifier),
        ui::Rect(frame.midX() - nameWidth / 2, frame.maxY() + kNameGap, nameWidth, kNameHeight),
        name);
}

void HomeScreenPainter::drawApp(cairo_t* cr, const std::string& bundleIdentifier) {
    const ui::ColorComponents color = AppIconStyle::color(bundleIdentifier);
    cairo_set_source_rgb(cr, 0.9 + 0.1 * color.red, 0.9 + 0.1 * color.green,
                         0.9 + 0.1 * color.blue);
    cairo_paint(cr);
    // Icon and name in the upper third, clear of the overlays in the middle.
    const double iconSide = 96;
    const double iconTop = 96;
    drawIcon(cr, bundleIdentifier,
             ui::Rect((M::kWidth - iconSide) / 2, iconTop, iconSide, iconSide), false);
    TextStyle name;
    name.pointSize = 28;
    name.bold = true;
    name.color = {0.12, 0.12, 0.14, 1};
    name.alignment = TextStyle::Alignment::Center;
    TextPainter::draw(cr, AppIconStyle::displayName(bundleIdentifier),
                      ui::Rect(16, iconTop + iconSide + 12, M::kWidth - 32, 40), name);
    TextStyle identifier = name;
    identifier.pointSize = 13;
    identifier.bold = false;
    identifier.color = {0.45, 0.45, 0.48, 1};
    TextPainter::draw(cr, bundleIdentifier,
                      ui::Rect(16, iconTop + iconSide + 52, M::kWidth - 32, 20), identifier);
}

}  // namespace render
