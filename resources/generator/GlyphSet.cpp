#include "GlyphSet.h"

#include "GlyphCanvas.h"

#include <array>
#include <cmath>
#include <numbers>

// Every glyph is drawn on the 120-unit grid of GlyphCanvas and kept inside roughly 12..108 on both
// axes, with the shared stroke weight, so the set looks even when the icons sit side by side in a
// menu.

namespace {

constexpr double kCenter = GlyphCanvas::kDesignSize / 2.0;

// Point at `radius` from a centre in direction `degrees` (clockwise, y down).
double polarX(double centerX, double radius, double degrees) {
    return centerX + radius * std::cos(degrees * std::numbers::pi / 180.0);
}
double polarY(double centerY, double radius, double degrees) {
    return centerY + radius * std::sin(degrees * std::numbers::pi / 180.0);
}

// Short rays around a centre, from `innerRadius` to `outerRadius`, one every `stepDegrees`.
void drawRays(GlyphCanvas& canvas, double centerX, double centerY, double innerRadius,
              double outerRadius, double fromDegrees, double toDegrees, double stepDegrees) {
    for (double angle = fromDegrees; angle <= toDegrees + 0.01; angle += stepDegrees) {
        canvas.line(polarX(centerX, innerRadius, angle), polarY(centerY, innerRadius, angle),
                    polarX(centerX, outerRadius, angle), polarY(centerY, outerRadius, angle));
    }
    canvas.stroke();
}

// A filled polygon through `points` (x, y pairs), corners softened by a thin stroke of the same
// ink.
template <std::size_t N>
void fillPolygon(GlyphCanvas& canvas, const std::array<double, N>& points,
                 double cornerSoftening = 4.0) {
    static_assert(N >= 6 && N % 2 == 0, "a polygon needs at least three x, y pairs");
    cairo_t* cr = canvas.context();
    cairo_move_to(cr, points[0], points[1]);
    for (std::size_t i = 2; i < N; i += 2) cairo_line_to(cr, points[i], points[i + 1]);
    cairo_close_path(cr);
    cairo_fill_preserve(cr);
    canvas.stroke(cornerSoftening);
}

// A padlock: filled body with a keyhole cut out, and an outlined shackle above it.
void drawPadlock(GlyphCanvas& canvas, double centerX, double bodyTop, double bodyWidth,
                 double bodyHeight, double shackleHeight, double shackleStroke) {
    const double bodyLeft = centerX - bodyWidth / 2.0;
    const double shackleRadius = bodyWidth / 2.0 - bodyWidth * 0.18;
    const double arcCenterY = bodyTop - shackleHeight + shackleRadius;
    cairo_t* cr = canvas.context();
    cairo_move_to(cr, centerX - shackleRadius, bodyTop + 2);
    cairo_arc(cr, centerX, arcCenterY, shackleRadius, std::numbers::pi, 2.0 * std::numbers::pi);
    cairo_line_to(cr, centerX + shackleRadius, bodyTop + 2);
    canvas.stroke(shackleStroke);
    canvas.roundedRect(bodyLeft, bodyTop, bodyWidth, bodyHeight, bodyWidth * 0.14);
    canvas.fill();
    canvas.useEraser();
    const double keyholeY = bodyTop + bodyHeight * 0.42;
    canvas.circle(centerX, keyholeY, bodyWidth * 0.09);
    canvas.fill();
    canvas.line(centerX, keyholeY, centerX, bodyTop + bodyHeight * 0.70);
    canvas.stroke(bodyWidth * 0.08);
    canvas.useInk();
}

// A speaker (box and cone) and two sound waves.
void drawVolume(GlyphCanvas& canvas) {
    const std::array<double, 12> speaker = {12, 46, 30, 46, 54, 24, 54, 96, 30, 74, 12, 74};
    fillPolygon(canvas, speaker, 8.0);
    canvas.arc(58, kCenter, 20, -45, 45);
    canvas.stroke();
    canvas.arc(58, kCenter, 40, -50, 50);
    canvas.stroke();
}

// A sun: a disc and eight rays.
void drawBrightness(GlyphCanvas& canvas) {
    canvas.circle(kCenter, kCenter, 20);
    canvas.fill();
    drawRays(canvas, kCenter, kCenter, 32, 44, 0, 315, 45);
}

// Two toggle switches: the upper one on (filled track, knob cut out at the right), the lower one
// off (outlined track, filled knob at the left).
void drawToggles(GlyphCanvas& canvas) {
    constexpr double kLeft = 12, kWidth = 96, kHeight = 44, kRadius = kHeight / 2;
    constexpr double kUpperTop = 12, kLowerTop = 64;
    constexpr double kStroke = GlyphCanvas::kStrokeWidth;
    canvas.roundedRect(kLeft, kUpperTop, kWidth, kHeight, kRadius);
    canvas.fill();
    canvas.useEraser();
    canvas.circle(kLeft + kWidth - kRadius, kUpperTop + kRadius, kRadius - kStroke);
    canvas.fill();
    canvas.useInk();
    canvas.roundedRect(kLeft + kStroke / 2, kLowerTop + kStroke / 2, kWidth - kStroke,
                       kHeight - kStroke, kRadius - kStroke / 2);
    canvas.stroke();
    // Kept clear of the outline so the two do not blur together at small sizes.
    canvas.circle(kLeft + kRadius, kLowerTop + kRadius, kRadius - kStroke - 5);
    canvas.fill();
}

// A filled disc with a minus cut out of it.
void drawRemove(GlyphCanvas& canvas) {
    canvas.circle(kCenter, kCenter, 48);
    canvas.fill();
    canvas.useEraser();
    canvas.line(36, kCenter, 84, kCenter);
    canvas.stroke(10);
    canvas.useInk();
}

// A padlock inside a circular arrow that runs clockwise almost all the way round.
void drawOrientationLock(GlyphCanvas& canvas) {
    constexpr double kRadius = 40, kArrowEnd = -75;
    canvas.arc(kCenter, kCenter, kRadius, kArrowEnd + 40, kArrowEnd + 360);
    canvas.stroke();
    // Arrowhead at the end of the arc, pointing along it (clockwise = increasing angle).
    const double tipX = polarX(kCenter, kRadius, kArrowEnd);
    const double tipY = polarY(kCenter, kRadius, kArrowEnd);
    const double along = (kArrowEnd + 90) * std::numbers::pi / 180.0;  // tangent direction
    const double across = kArrowEnd * std::numbers::pi / 180.0;        // radial direction
    const double headLength = 19, headHalfWidth = 12;
    const std::array<double, 6> head = {
        tipX + headLength * 0.55 * std::cos(along),
        tipY + headLength * 0.55 * std::sin(along),
        tipX - headLength * 0.45 * std::cos(along) + headHalfWidth * std::cos(across),
        tipY - headLength * 0.45 * std::sin(along) + headHalfWidth * std::sin(across),
        tipX - headLength * 0.45 * std::cos(along) - headHalfWidth * std::cos(across),
        tipY - headLength * 0.45 * std::sin(along) - headHalfWidth * std::sin(across)};
    fillPolygon(canvas, head, 4.0);
    drawPadlock(canvas, kCenter, 58, 38, 28, 18, 6.5);
}

// The Bluetooth rune: a vertical stroke with two chevrons crossing it.
void drawBluetooth(GlyphCanvas& canvas) {
    cairo_t* cr = canvas.context();
    cairo_move_to(cr, 38, 40);
    cairo_line_to(cr, 82, 80);
    cairo_line_to(cr, 60, 100);
    cairo_line_to(cr, 60, 20);
    cairo_line_to(cr, 82, 40);
    cairo_line_to(cr, 38, 80);
    canvas.stroke(9);
}

// A cellular antenna: a mast with a round tip and radio waves to either side.
void drawCellular(GlyphCanvas& canvas) {
    constexpr double kTipY = 46;
    canvas.circle(kCenter, kTipY, 9);
    canvas.fill();
    canvas.line(kCenter, kTipY + 10, kCenter, 104);
    canvas.stroke();
    for (double radius : {22.0, 42.0}) {
        canvas.arc(kCenter, kTipY, radius, -40, 40);
        canvas.arc(kCenter, kTipY, radius, 140, 220);
    }
    canvas.stroke();
}

// Wi-Fi: a dot and three concentric arcs opening upwards.
void drawWifi(GlyphCanvas& canvas) {
    constexpr double kOriginY = 94;
    canvas.circle(kCenter, kOriginY, 8);
    canvas.fill();
    for (double radius : {26.0, 46.0, 66.0}) canvas.arc(kCenter, kOriginY, radius, -135, -45);
    canvas.stroke(9);
}

// An aeroplane seen from above, nose pointing up and to the right.
void drawAirplane(GlyphCanvas& canvas) {
    cairo_t* cr = canvas.context();
    cairo_save(cr);
    cairo_translate(cr, kCenter, kCenter);
    cairo_rotate(cr, std::numbers::pi / 4.0);
    // Drawn nose up around the origin: fuselage, swept wings, tailplane.
    canvas.roundedRect(-7, -54, 14, 100, 7);
    canvas.fill();
    const std::array<double, 16> wings = {6,  -20, 48,  4,  48,  14, 6,  4,
                                          -6, 4,   -48, 14, -48, 4,  -6, -20};
    fillPolygon(canvas, wings, 4.0);
    const std::array<double, 12> tailplane = {5, 28, 22, 40, 22, 47, -22, 47, -22, 40, -5, 28};
    fillPolygon(canvas, tailplane, 4.0);
    cairo_restore(cr);
}

// A crescent moon: a disc with an offset disc cut out of its upper right.
void drawDoNotDisturb(GlyphCanvas& canvas) {
    canvas.circle(kCenter, kCenter, 46);
    canvas.fill();
    canvas.useEraser();
    canvas.circle(kCenter + 26, kCenter - 22, 40);
    canvas.fill();
    canvas.useInk();
}

// The location arrow: a navigation arrowhead pointing up and to the right.
void drawLocation(GlyphCanvas& canvas) {
    const std::array<double, 8> arrow = {100, 20, 60, 100, 54, 66, 20, 60};
    fillPolygon(canvas, arrow, 8.0);
}

// Auto-brightness: a sun whose disc carries a cut-out letter "A".
void drawAutoBrightness(GlyphCanvas& canvas) {
    canvas.circle(kCenter, kCenter, 27);
    canvas.fill();
    drawRays(canvas, kCenter, kCenter, 36, 46, 0, 315, 45);
    canvas.useEraser();
    canvas.centeredText("A", kCenter, kCenter + 1, 29);
    canvas.useInk();
}

// Auto-lock: a padlock.
void drawAutoLock(GlyphCanvas& canvas) {
    drawPadlock(canvas, kCenter, 54, 64, 50, 42, 9);
}

// Low power mode: a battery lying on its side, partly charged.
void drawLowPower(GlyphCanvas& canvas) {
    const double inset = GlyphCanvas::kStrokeWidth / 2;
    canvas.roundedRect(12 + inset, 34 + inset, 86 - 2 * inset, 52 - 2 * inset, 12);
    canvas.stroke();
    canvas.roundedRect(102, 50, 8, 20, 3);
    canvas.fill();
    canvas.roundedRect(24, 46, 34, 28, 4);
    canvas.fill();
}

// Night Shift: a setting sun, its lower half hidden below a horizon line, with a downward arrow.
void drawNightShift(GlyphCanvas& canvas) {
    constexpr double kHorizonY = 74;
    cairo_t* cr = canvas.context();
    canvas.arc(kCenter, kHorizonY, 22, 180, 360);
    cairo_close_path(cr);
    canvas.fill();
    drawRays(canvas, kCenter, kHorizonY, 32, 44, -150, -30, 30);
    canvas.line(12, kHorizonY + 4, 108, kHorizonY + 4);
    canvas.stroke();
    cairo_move_to(cr, kCenter - 11, 94);
    cairo_line_to(cr, kCenter, 104);
    cairo_line_to(cr, kCenter + 11, 94);
    canvas.stroke();
}

// VPN: the letters in a rounded outline.
void drawVpn(GlyphCanvas& canvas) {
    const double inset = GlyphCanvas::kStrokeWidth / 2;
    canvas.roundedRect(8 + inset, 28 + inset, 104 - 2 * inset, 64 - 2 * inset, 14);
    canvas.stroke();
    canvas.centeredText("VPN", kCenter, kCenter, 26);
}

constexpr std::array kGlyphs = {
    Glyph{"volumeIcon", drawVolume},
    Glyph{"brightnessIcon", drawBrightness},
    Glyph{"togglesIcon", drawToggles},
    Glyph{"removeIcon", drawRemove},
    Glyph{"orientationLockIcon", drawOrientationLock},
    Glyph{"bluetoothIcon", drawBluetooth},
    Glyph{"cellularIcon", drawCellular},
    Glyph{"wifiIcon", drawWifi},
    Glyph{"airplaneIcon", drawAirplane},
    Glyph{"dndIcon", drawDoNotDisturb},
    Glyph{"locationIcon", drawLocation},
    Glyph{"autoBrightnessIcon", drawAutoBrightness},
    Glyph{"autoLockIcon", drawAutoLock},
    Glyph{"lowPowerIcon", drawLowPower},
    Glyph{"nightShiftIcon", drawNightShift},
    Glyph{"vpnIcon", drawVpn},
};

}  // namespace

std::span<const Glyph> GlyphSet::all() {
    return kGlyphs;
}
