#pragma once

#include <cairo.h>

#include <string>

#include "render/GlyphSet.h"
#include "render/ScreenState.h"

namespace render {

// The status bar: the time in the middle; on the leading side the radios (airplane mode,
// cellular, Wi-Fi, VPN), on the trailing side the battery and then low power, Bluetooth,
// location, orientation lock and Do Not Disturb, each only while its switch is on, drawn with
// the bundle's glyphs in the bar's ink. Mirrored in a right-to-left interface.
class StatusBarPainter {
  public:
    static constexpr double kGlyphSize = 13;
    static constexpr double kGlyphSpacing = 4;
    static constexpr double kSideMargin = 6;
    // The battery's charge: the simulated phone has no battery, so it always shows this.
    static constexpr double kBatteryCharge = 0.8;

    // "9:41" at clock 0, a minute later each 60 s.
    static std::string clockText(double seconds);
    static void draw(cairo_t* cr, const ScreenState& state, GlyphSet& glyphs,
                     const ui::ColorComponents& ink);

  private:
    static void drawBattery(cairo_t* cr, double x, double middle, bool lowPower,
                            const ui::ColorComponents& ink);
};

}  // namespace render
