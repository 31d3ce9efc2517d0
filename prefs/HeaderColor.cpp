#include "prefs/HeaderColor.h"

namespace morvane::prefs {

namespace {
constexpr double kOpacity = 0.85;
}

rt::Ref<ui::Color> accentColor() {
    return ui::Color::colorWithRed(0.82, 0.349, 0.243, 1.0);
}

rt::Ref<ui::Color> headerColorFromColor(const ui::Color* color) {
    if (!color) return {};
    const ui::ColorComponents white = ui::Color::whiteColor()->components();
    const ui::ColorComponents given = color->components();
    const auto through = [](double c, double w) { return (c - w + w * kOpacity) / kOpacity; };
    return ui::Color::colorWithRed(through(given.red, white.red), through(given.green, white.green),
                                   through(given.blue, white.blue), 1.0);
}

}  // namespace morvane::prefs
