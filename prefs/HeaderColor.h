#pragma once

#include "rt/Ref.h"
#include "ui/Color.h"

namespace morvane::prefs {

// The pages' accent colour: red 0.82, green 0.349, blue 0.243.
rt::Ref<ui::Color> accentColor();
// "getHeaderColorFromColor:": the colour that, drawn at 85 % opacity over white, gives
// `color`: each component (c − w + w × 0.85) / 0.85 with w white's component; alpha 1.
rt::Ref<ui::Color> headerColorFromColor(const ui::Color* color);

}  // namespace morvane::prefs
