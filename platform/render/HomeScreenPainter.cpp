#include "render/HomeScreenPainter.h"

#include <algorithm>
#include <cmath>

#include "render/AppIconStyle.h"
#include "render/Picture.h"
#include "render/ScreenModel.h"
#include "render/Shapes.h"
#include "render/TextPainter.h"
#include "services/HomeScreenLayout.h"

namespace render {

namespace {

using M = ScreenModel;
constexpr double kNameGap = 4;  // between an icon and its name
constexpr double kNameHeight = 16;
using Layout = services::HomeScreenLayout;
constexpr double kDockCornerRadius = 20;
constexpr double kPageDotSize = 7;
constexpr double kPageDotPitch = 16;
// The dock's apps' colours: green, blue, grey, near black.
constexpr ui::ColorComponents kDockColors[4] = {
    {0.27, 0.78, 0.36, 1}, {0.16, 0.50, 0.96, 1}, {0.56, 0.57, 0.61, 1}, {0.17, 0.17, 0.19, 1}};

// A vertical gradient from the icon's colour lightened to the colour.
void fillIconBackground(cairo_t* cr, const ui::Rect& frame, const ui::ColorComponents& color) {
    const double radius = M::kIconCornerRadius * frame.width() / M::kIconSize;
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, frame.minY(), 0, frame.maxY());
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.25 + 0.75 * color.red,
                                     0.25 + 0.75 * color.green, 0.25 + 0.75 * color.blue);
    cairo_pattern_add_color_stop_rgb(gradient, 1, color.red, color.green, color.blue);
    Shapes::roundedRectangle(cr, frame, radius);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void drawLetters(cairo_t* cr, const std::string& letters, const ui::Rect& frame) {
    TextStyle style;
    style.pointSize = frame.width() * 0.4;
    style.bold = true;
    style.color = {1, 1, 1, 1};
    style.alignment = TextStyle::Alignment::Center;
    TextPainter::draw(cr, letters, frame, style);
}

// One dot a page, the first page's (the one shown) white, the others faint.
void drawPageDots(cairo_t* cr, std::size_t appCount, bool rightToLeft) {
    const std::size_t pages =
        std::max<std::size_t>(1, (appCount + Layout::kIconsPerPage - 1) / Layout::kIconsPerPage);
    const double first = M::kWidth / 2 - kPageDotPitch * static_cast<double>(pages - 1) / 2;
    for (std::size_t page = 0; page < pages; ++page) {
        const double offset = kPageDotPitch * static_cast<double>(page);
        const double x = rightToLeft ? M::kWidth - first - offset : first + offset;
        cairo_arc(cr, x, Layout::kPageDotsY, kPageDotSize / 2, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, page == 0 ? 1 : 0.35);
        cairo_fill(cr);
    }
}

// A frosted platter along the bottom with the phone's own four apps, no names.
void drawDock(cairo_t* cr, bool rightToLeft) {
    Shapes::roundedRectangle(cr, Layout::dockFrame(), kDockCornerRadius);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_fill(cr);
    for (std::size_t i = 0; i < Layout::kDockIcons; ++i) {
        const ui::Rect frame = Layout::dockIconFrame(i, rightToLeft);
        fillIconBackground(cr, frame, kDockColors[i]);
        drawLetters(cr, std::string(HomeScreenPainter::kDockApps[i]).substr(0, 2), frame);
    }
}

}  // namespace

const char* const HomeScreenPainter::kDockApps[4] = {"Phone", "Safari", "Camera", "Clock"};

std::optional<ui::Rect> HomeScreenPainter::iconFrame(std::size_t index, bool rightToLeft) {
    return Layout::iconFrame(index, rightToLeft);
}

// The gradient is smooth, so it is drawn at an eighth of the screen's pixels and scaled up
// with a bilinear filter: the same picture, for a fraction of a full-size gradient's time.
void HomeScreenPainter::drawWallpaper(cairo_t* cr) {
    constexpr double kReduction = 1.0 / 8;
    Picture small(M::kWidth, M::kHeight, kReduction);
    {
        CairoContext context = small.context();
        cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, M::kWidth * 0.4, M::kHeight);
        cairo_pattern_add_color_stop_rgb(gradient, 0, 0.16, 0.27, 0.55);
        cairo_pattern_add_color_stop_rgb(gradient, 0.55, 0.36, 0.25, 0.58);
        cairo_pattern_add_color_stop_rgb(gradient, 1, 0.78, 0.42, 0.45);
        cairo_set_source(context.get(), gradient);
        cairo_paint(context.get());
        cairo_pattern_destroy(gradient);
    }
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, M::kWidth, M::kHeight);
    cairo_clip(cr);
    small.paintScaledUp(cr, CAIRO_FILTER_BILINEAR);
    cairo_restore(cr);
}

void HomeScreenPainter::drawIcons(cairo_t* cr, const ScreenState& state) {
    for (std::size_t i = 0; i < state.installedApps.size(); ++i) {
        const auto frame = iconFrame(i, state.rightToLeft);
        if (!frame) break;
        drawIcon(cr, state.installedApps[i], *frame, true, state.installedApps);
    }
    drawPageDots(cr, state.installedApps.size(), state.rightToLeft);
    drawDock(cr, state.rightToLeft);
}

void HomeScreenPainter::drawIcon(cairo_t* cr, const std::string& bundleIdentifier,
                                 const ui::Rect& frame, bool withName,
                                 const std::vector<std::string>& installedApps) {
    fillIconBackground(cr, frame, AppIconStyle::color(bundleIdentifier, installedApps));
    drawLetters(cr, AppIconStyle::initials(bundleIdentifier), frame);
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

void HomeScreenPainter::drawApp(cairo_t* cr, const std::string& bundleIdentifier,
                                const std::vector<std::string>& installedApps) {
    const ui::ColorComponents color = AppIconStyle::color(bundleIdentifier, installedApps);
    cairo_set_source_rgb(cr, 0.9 + 0.1 * color.red, 0.9 + 0.1 * color.green,
                         0.9 + 0.1 * color.blue);
    cairo_paint(cr);
    // Icon and name in the upper third, clear of the overlays in the middle.
    const double iconSide = 96;
    const double iconTop = 96;
    drawIcon(cr, bundleIdentifier,
             ui::Rect((M::kWidth - iconSide) / 2, iconTop, iconSide, iconSide), false,
             installedApps);
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
