#pragma once

#include "rt/Class.h"
#include "rt/Object.h"
#include "rt/Ref.h"

namespace morvane {

class SliderView;
class TogglesView;

// Keeps track of the shortcut-menu view controller on screen and of the extra state that the
// menu's controller and rows carry: the row of each custom entry on the controller, the open
// editors and the row of enabled toggles on each row. All of it is attached to the host's
// objects, read and written through the runtime accessors the registry adds.
class MenuControllerRegistry {
  public:
    static constexpr const char* kVolumeActionView = "volumeActionView";
    static constexpr const char* kBrightnessActionView = "brightnessActionView";
    static constexpr const char* kTogglesActionView = "togglesActionView";
    static constexpr const char* kSliderView = "sliderView";
    static constexpr const char* kTogglesView = "togglesView";
    static constexpr const char* kEnabledTogglesView = "enabledTogglesView";

    // Replacements on "SBUIAppIconForceTouchShortcutViewController". "loadView" is
    // intercepted so that the menu's creation passes through the library; every layout pass
    // makes its controller the current one; before the menu disappears, a slider value whose
    // save is still due is saved under its row's key.
    static void loadView(rt::Object* self, rt::Selector cmd);
    static void viewDidLayoutSubviews(rt::Object* self, rt::Selector cmd);
    static void viewWillDisappear(rt::Object* self, rt::Selector cmd, bool animated);

    // "getInstance": the controller whose menu was laid out last, null while none shows.
    static rt::Ref<rt::Object> getInstance();

    // The attached properties, through the runtime accessors.
    static rt::Ref<rt::Object> property(rt::Object* owner, const char* name);
    static void setProperty(rt::Object* owner, const char* name, rt::Object* value);
    static rt::Ref<SliderView> sliderView(rt::Object* row);
    static rt::Ref<TogglesView> togglesView(rt::Object* row);
    static rt::Ref<TogglesView> enabledTogglesView(rt::Object* row);
};

}  // namespace morvane
