#include "render/TimelinePlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <set>
#include <string>

#include "render/AppIconStyle.h"
#include "render/Shapes.h"
#include "render/TextPainter.h"

namespace render {

namespace {

using Level = TimelineEvents::Level;

constexpr double kLeft = 150;  // room for the row names
constexpr double kRight = 30;
constexpr double kTitleHeight = 36;
constexpr double kLevelTop = kTitleHeight + 10;
constexpr double kLevelHeight = 260;
constexpr double kRowHeight = 26;
constexpr double kAxisHeight = 40;
constexpr ui::ColorComponents kVolumeColor{0.0, 0.48, 1.0, 1};
constexpr ui::ColorComponents kBrightnessColor{1.0, 0.58, 0.0, 1};
constexpr ui::ColorComponents kGrid{0.88, 0.88, 0.9, 1};
constexpr ui::ColorComponents kText{0.2, 0.2, 0.22, 1};
constexpr ui::ColorComponents kSwitchOn{0.2, 0.75, 0.35, 1};
constexpr ui::ColorComponents kIndeterminate{0.6, 0.6, 0.62, 1};

// Maps clock seconds to x and levels to y.
struct Axes {
    double endTime;
    double plotWidth;
    double x(double time) const { return kLeft + std::clamp(time / endTime, 0.0, 1.0) * plotWidth; }
    static double y(double level) {
        return kLevelTop + (1 - std::clamp(level, 0.0, 1.0)) * kLevelHeight;
    }
};

TextStyle textStyle(double size, const ui::ColorComponents& color,
                    TextStyle::Alignment alignment = TextStyle::Alignment::Left) {
    TextStyle style;
    style.pointSize = size;
    style.color = color;
    style.alignment = alignment;
    return style;
}

std::string levelLabel(double level) {
    char text[16];
    std::snprintf(text, sizeof text, "%.0f %%", level * 100);
    return text;
}

// A tick step of 1, 2 or 5 times a power of ten giving about eight ticks.
double tickStep(double span) {
    const double rough = span / 8;
    const double power = std::pow(10, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough) return factor * power;
    return 10 * power;
}

// The time axis in one unit: minutes from three minutes of scenario on, seconds below.
struct TimeUnit {
    double seconds;
    const char* name;
    static TimeUnit forSpan(double span) {
        return span >= 180 ? TimeUnit{60, "min"} : TimeUnit{1, "s"};
    }
};

std::string timeLabel(double seconds, const TimeUnit& unit) {
    char text[32];
    std::snprintf(text, sizeof text, "%g %s", seconds / unit.seconds, unit.name);
    return text;
}

// A level's line in its colour: the volume dashed over the brightness, so where they are equal
// both show; the legend's swatches are stroked the same way.
void strokeLevel(cairo_t* cr, Level level, const ui::ColorComponents& color) {
    Shapes::setColor(cr, color);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double dash[] = {6, 4};
    cairo_set_dash(cr, dash, level == Level::Volume ? 2 : 0, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void drawLevelLine(cairo_t* cr, const Axes& axes, const TimelineEvents& events, Level level,
                   double now, const ui::ColorComponents& color) {
    double current = now;
    bool first = true;
    for (const auto& change : events.levelChanges()) {
        if (change.level != level) continue;
        if (first) current = change.before;
        first = false;
        break;
    }
    cairo_move_to(cr, axes.x(0), Axes::y(current));
    for (const auto& change : events.levelChanges()) {
        if (change.level != level) continue;
        cairo_line_to(cr, axes.x(change.time), Axes::y(current));
        current = change.after;
        cairo_line_to(cr, axes.x(change.time), Axes::y(current));
    }
    cairo_line_to(cr, axes.x(axes.endTime), Axes::y(current));
    strokeLevel(cr, level, color);
}

void drawLevelPanel(cairo_t* cr, const Axes& axes, const TimelineEvents& events,
                    const TimelinePlot::Input& input) {
    for (double level : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        Shapes::setColor(cr, kGrid);
        cairo_rectangle(cr, kLeft, Axes::y(level) - 0.5, axes.plotWidth, 1);
        cairo_fill(cr);
        TextPainter::draw(cr, levelLabel(level), ui::Rect(kLeft - 60, Axes::y(level) - 8, 52, 16),
                          textStyle(11, kText, TextStyle::Alignment::Right));
    }
    drawLevelLine(cr, axes, events, Level::Brightness, input.brightness, kBrightnessColor);
    drawLevelLine(cr, axes, events, Level::Volume, input.volume, kVolumeColor);
    // The legend, on the title's line at the right.
    double x = TimelinePlot::kWidth - kRight - 240;
    const struct {
        const char* name;
        Level level;
        ui::ColorComponents color;
    } legend[] = {{"volume", Level::Volume, kVolumeColor},
                  {"brightness", Level::Brightness, kBrightnessColor}};
    for (const auto& [name, level, color] : legend) {
        cairo_move_to(cr, x, 18.5);
        cairo_line_to(cr, x + 18, 18.5);
        strokeLevel(cr, level, color);
        TextPainter::draw(cr, name, ui::Rect(x + 24, 9, 90, 18), textStyle(12, kText));
        x += 120;
    }
}

// A row's name at the left and a rule under it.
void drawRow(cairo_t* cr, const Axes& axes, double top, const std::string& name) {
    TextPainter::draw(cr, name, ui::Rect(10, top, kLeft - 20, kRowHeight),
                      textStyle(12, kText, TextStyle::Alignment::Right));
    Shapes::setColor(cr, kGrid);
    cairo_rectangle(cr, kLeft, top + kRowHeight - 0.5, axes.plotWidth, 1);
    cairo_fill(cr);
}

void drawOverlayRow(cairo_t* cr, const Axes& axes, const TimelineEvents& events, double top) {
    drawRow(cr, axes, top, "overlays");
    const double middle = top + kRowHeight / 2;
    for (const auto& change : events.levelChanges()) {
        if (!change.overlayShown) continue;
        const double x = axes.x(change.time);
        const bool volume = change.level == Level::Volume;
        // Volume marks point up, brightness marks down, so both read where they overlap.
        const double tip = volume ? -7 : 7;
        cairo_move_to(cr, x, middle + tip);
        cairo_line_to(cr, x - 5, middle - tip * 0.6);
        cairo_line_to(cr, x + 5, middle - tip * 0.6);
        cairo_close_path(cr);
        Shapes::setColor(cr, volume ? kVolumeColor : kBrightnessColor);
        cairo_fill(cr);
    }
}

void drawSwitchRow(cairo_t* cr, const Axes& axes, const TimelineEvents& events,
                   device::Switch which, double top) {
    drawRow(cr, axes, top, std::string(device::switchName(which)));
    const double middle = top + kRowHeight / 2;
    // The band while the switch is on, from the states before and after each change.
    std::optional<double> onSince;
    bool first = true;
    for (const auto& change : events.switchChanges()) {
        if (change.which != which) continue;
        if (first && change.before == device::SwitchState::On) onSince = 0;
        first = false;
        if (change.after == device::SwitchState::On && !onSince) onSince = change.time;
        if (change.after != device::SwitchState::On && onSince) {
            Shapes::setColor(cr, kSwitchOn, 0.3);
            cairo_rectangle(cr, axes.x(*onSince), middle - 4,
                            axes.x(change.time) - axes.x(*onSince), 8);
            cairo_fill(cr);
            onSince.reset();
        }
    }
    if (onSince) {
        Shapes::setColor(cr, kSwitchOn, 0.3);
        cairo_rectangle(cr, axes.x(*onSince), middle - 4, axes.x(axes.endTime) - axes.x(*onSince),
                        8);
        cairo_fill(cr);
    }
    for (const auto& change : events.switchChanges()) {
        if (change.which != which) continue;
        cairo_new_path(cr);
        cairo_arc(cr, axes.x(change.time), middle, 5, 0, 2 * std::numbers::pi);
        switch (change.after) {
            case device::SwitchState::On:
                Shapes::setColor(cr, kSwitchOn);
                cairo_fill(cr);
                break;
            case device::SwitchState::Off:
                cairo_set_source_rgb(cr, 1, 1, 1);
                cairo_fill_preserve(cr);
                Shapes::setColor(cr, kText);
                cairo_set_line_width(cr, 1.5);
                cairo_stroke(cr);
                break;
            case device::SwitchState::Indeterminate:
                Shapes::setColor(cr, kIndeterminate);
                cairo_fill(cr);
                break;
        }
    }
}

void drawAppRow(cairo_t* cr, const Axes& axes, const TimelineEvents& events,
                const std::string& bundleIdentifier, double top,
                const std::vector<std::string>& installedApps) {
    drawRow(cr, axes, top, AppIconStyle::displayName(bundleIdentifier));
    const ui::ColorComponents color = AppIconStyle::color(bundleIdentifier, installedApps);
    for (const auto& span : events.appSpans()) {
        if (span.bundleIdentifier != bundleIdentifier) continue;
        const double left = axes.x(span.start);
        const double right = axes.x(span.end.value_or(axes.endTime));
        const ui::Rect box(left, top + 3, std::max(2.0, right - left), kRowHeight - 7);
        Shapes::setColor(cr, color);
        Shapes::roundedRectangle(cr, box, 4);
        cairo_fill(cr);
        // Inside the span when it fits, else just after it in the text colour.
        const std::string label = AppIconStyle::displayName(bundleIdentifier) + " in front";
        const double labelWidth = TextPainter::measure(cr, label, textStyle(11, kText)).width;
        if (labelWidth + 8 <= box.width()) {
            TextPainter::draw(cr, label, box.insetBy(4, 0), textStyle(11, {1, 1, 1, 1}));
        } else {
            const double x = std::min(box.maxX() + 4, TimelinePlot::kWidth - labelWidth - 2);
            TextPainter::draw(cr, label, ui::Rect(x, box.y(), labelWidth + 2, box.height()),
                              textStyle(11, kText));
        }
    }
}

void drawTimeAxis(cairo_t* cr, const Axes& axes, double top, double bottom) {
    const TimeUnit unit = TimeUnit::forSpan(axes.endTime);
    const double step = tickStep(axes.endTime / unit.seconds) * unit.seconds;
    for (int tick = 0; tick * step <= axes.endTime + step * 1e-6; ++tick) {
        const double t = tick * step;
        const double x = axes.x(t);
        Shapes::setColor(cr, kGrid);
        cairo_rectangle(cr, x - 0.5, kLevelTop, 1, bottom - kLevelTop);
        cairo_fill(cr);
        TextPainter::draw(cr, timeLabel(t, unit), ui::Rect(x - 40, bottom + 4, 80, 16),
                          textStyle(11, kText, TextStyle::Alignment::Center));
    }
    (void)top;
}

}  // namespace

double TimelinePlot::heightFor(const TimelineEvents& events) {
    std::set<device::Switch> switches;
    for (const auto& change : events.switchChanges()) switches.insert(change.which);
    std::set<std::string> apps;
    for (const auto& span : events.appSpans()) apps.insert(span.bundleIdentifier);
    return kLevelTop + kLevelHeight + 20 + kRowHeight * (1 + switches.size() + apps.size()) +
           kAxisHeight;
}

Picture TimelinePlot::render(const Input& input) {
    const TimelineEvents events = TimelineEvents::read(input.timeline);
    double endTime = std::isfinite(input.endTime) ? input.endTime : 0;
    for (const auto& entry : input.timeline.entries())
        if (std::isfinite(entry.time)) endTime = std::max(endTime, entry.time);
    endTime = std::max(endTime, 1.0);
    Picture picture(kWidth, heightFor(events), kScale);
    CairoContext context = picture.context();
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const Axes axes{endTime, kWidth - kLeft - kRight};

    const TimeUnit unit = TimeUnit::forSpan(endTime);
    char title[64];
    std::snprintf(title, sizeof title, "Timeline, 0 to %.3g %s", endTime / unit.seconds, unit.name);
    TextPainter::draw(cr, title, ui::Rect(kLeft, 6, 400, 24), textStyle(15, kText));

    const double rowsTop = kLevelTop + kLevelHeight + 20;
    const double bottom = heightFor(events) - kAxisHeight;
    drawTimeAxis(cr, axes, rowsTop, bottom);
    drawLevelPanel(cr, axes, events, input);

    double top = rowsTop;
    drawOverlayRow(cr, axes, events, top);
    top += kRowHeight;
    std::set<device::Switch> switches;
    for (const auto& change : events.switchChanges()) switches.insert(change.which);
    for (device::Switch which : device::allSwitches()) {
        if (!switches.contains(which)) continue;
        drawSwitchRow(cr, axes, events, which, top);
        top += kRowHeight;
    }
    std::vector<std::string> apps;
    for (const auto& span : events.appSpans())
        if (std::find(apps.begin(), apps.end(), span.bundleIdentifier) == apps.end())
            apps.push_back(span.bundleIdentifier);
    for (const std::string& app : apps) {
        drawAppRow(cr, axes, events, app, top, input.installedApps);
        top += kRowHeight;
    }
    return picture;
}

}  // namespace render
