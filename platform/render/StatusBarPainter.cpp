#include "render/StatusBarPainter.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>

#include "render/ImagePainter.h"
#include "render/ScreenModel.h"
#include "render/Shapes.h"
#include "render/TextPainter.h"

namespace render {

namespace {

using device::Switch;

// Leading side, from the edge inwards.
constexpr std::array kLeadingSwitches{Switch::Airplane, Switch::Cellular, Switch::Wifi,
                                      Switch::Vpn};
// Trailing side, from the battery inwards.
constexpr std::array kTrailingSwitches{Switch::LowPower, Switch::Bluetooth, Switch::Location,
                                       Switch::OrientationLock, Switch::Dnd};
constexpr double kBatteryWidth = 24;
constexpr double kBatteryHeight = 11;
constexpr ui::ColorComponents kLowPowerYellow{1, 0.8, 0, 1};

// Draws the glyph of a switch at x (its left edge), or a small ring when the bundle lacks it.
void drawGlyph(cairo_t* cr, GlyphSet& glyphs, Switch which, double x, double middle,
               const ui::ColorComponents& ink) {
    const double size = StatusBarPainter::kGlyphSize;
    auto tint = ui::Color(ui::Color::Space::Rgb, ink);
    if (rt::Ref<ui::Image> glyph = glyphs.glyph(std::string(device::switchName(which)))) {
        ImagePainter::draw(cr, *glyph, ui::Rect(x, middle - size / 2, size, size),
                           ui::ContentMode::ScaleAspectFit, &tint, 1);
        return;
    }
    cairo_arc(cr, x + size / 2, middle, size / 2 - 1.5, 0, 2 * std::numbers::pi);
    Shapes::setColor(cr, ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

}  // namespace

std::string StatusBarPainter::clockText(double seconds) {
    const double safe = std::isfinite(seconds) && seconds > 0 ? std::min(seconds, 1e12) : 0;
    const long long minutes = (9 * 60 + 41 + static_cast<long long>(safe / 60)) % (24 * 60);
    char text[16];
    std::snprintf(text, sizeof text, "%lld:%02lld", minutes / 60, minutes % 60);
    return text;
}

void StatusBarPainter::draw(cairo_t* cr, const ScreenState& state, GlyphSet& glyphs,
                            const ui::ColorComponents& ink) {
    const double width = ScreenModel::kWidth;
    const double middle = ScreenModel::kStatusBarHeight / 2;
    TextStyle timeStyle;
    timeStyle.pointSize = 12;
    timeStyle.bold = true;
    timeStyle.color = ink;
    timeStyle.alignment = TextStyle::Alignment::Center;
    TextPainter::draw(cr, clockText(state.time),
                      ui::Rect(width / 2 - 50, 0, 100, ScreenModel::kStatusBarHeight), timeStyle);

    // Positions are worked out left to right and mirrored for a right-to-left interface.
    auto place = [&](double leftToRightX, double itemWidth) {
        return state.rightToLeft ? width - leftToRightX - itemWidth : leftToRightX;
    };
    double x = kSideMargin;
    for (Switch which : kLeadingSwitches) {
        if (state.switchState(which) != device::SwitchState::On) continue;
        drawGlyph(cr, glyphs, which, place(x, kGlyphSize), middle, ink);
        x += kGlyphSize + kGlyphSpacing;
    }
    const bool lowPower = state.switchState(Switch::LowPower) == device::SwitchState::On;
    double right = width - kSideMargin - kBatteryWidth;
    drawBattery(cr, place(right, kBatteryWidth), middle, lowPower, ink);
    for (Switch which : kTrailingSwitches) {
        if (state.switchState(which) != device::SwitchState::On) continue;
        right -= kGlyphSpacing + kGlyphSize;
        drawGlyph(cr, glyphs, which, place(right, kGlyphSize), middle, ink);
    }
}

void StatusBarPainter::drawBattery(cairo_t* cr, double x, double middle, bool lowPower,
                                   const ui::ColorComponents& ink) {
    const double bodyWidth = kBatteryWidth - 2;
    const ui::Rect body(x, middle - kBatteryHeight / 2, bodyWidth, kBatteryHeight);
    Shapes::setColor(cr, ink, 0.45);
    Shapes::roundedRectangle(cr, body.insetBy(0.5, 0.5), 2.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, body.maxX() + 0.5, middle - 2, 1.5, 4);  // the terminal
    cairo_fill(cr);
    const ui::Rect charge(body.x() + 2, body.y() + 2, (bodyWidth - 4) * kBatteryCharge,
                          kBatteryHeight - 4);
    Shapes::setColor(cr, lowPower ? kLowPowerYellow : ink);
    Shapes::roundedRectangle(cr, charge, 1.5);
    cairo_fill(cr);
}

}  // namespace render
