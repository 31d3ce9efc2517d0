#pragma once

namespace morvane {

// Registers the editor widgets' runtime classes (SliderView, ToggleButton, TogglesView,
// ButtonWithIncreasedTouchArea) in the current world, under the toolkit's classes, which
// must be registered already. Classes already registered in this world are left as they are,
// so the call may be repeated.
void registerWidgetClasses();

}  // namespace morvane
