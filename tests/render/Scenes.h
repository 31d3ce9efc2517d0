#pragma once

#include "device/Timeline.h"
#include "render/ScreenState.h"
#include "rt/Ref.h"
#include "ui/View.h"

// Fixed scenes drawn by the reference-image tests, the tool that redraws their references
// and the benchmarks. Each needs a RenderWorld (or an equivalent booted world with the bundle).
namespace render_testing {

// Six apps, Wi-Fi, cellular, Bluetooth, location and Do Not Disturb on, brightness 0.8.
render::ScreenState homeScreen();

// An icon menu like the one the home screen opens for an app: a rounded panel with the
// "Volume", "Brightness" and "Toggles" rows (title, subtitle, trailing glyph), a slider
// editor laid over the volume row and a toggles editor with badges over the toggles row.
// Light or dark appearance; mirrored when the phone is right to left.
rt::Ref<ui::View> iconMenu(bool dark);
// The home screen with that menu open over Maps.
render::ScreenState homeScreenWithMenu(bool dark);

// Toolkit views side by side: aligned labels (Latin and Arabic), a slider, a button with an
// image and a title, a stack view, a faded view, a rotated one, a clipped rounded one.
rt::Ref<ui::View> toolkitViews();

// Ten seconds of a phone's timeline: an app comes to the front, the volume jumps with an
// overlay, the brightness glides, Wi-Fi goes off and back on, the app leaves.
device::Timeline sampleTimeline();

}  // namespace render_testing

#include <functional>
#include <string>
#include <vector>

#include "render/Picture.h"

namespace render_testing {

// A scene with a reference picture: each draws itself in a world of its own. The "host-"
// scenes are the SpringBoard host playing host-scenes/<name>.scenario, which writes
// picture.png: the real menu with the library's editors, the real pane pages.
struct ReferenceScene {
    std::string name;  // the reference is references/<name>.png
    std::function<render::Picture()> draw;
};
std::vector<ReferenceScene> referenceScenes();

}  // namespace render_testing
