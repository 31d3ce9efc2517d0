#include "ui/Switch.h"

#include "rt/MethodBinding.h"
#include "ui/ControlEvents.h"
#include "ui/Touch.h"

namespace ui {

Switch::Switch() : Switch(Rect(0, 0, kWidth, kHeight)) {}

Switch::Switch(const Rect& frame) : Control(Rect(frame.x(), frame.y(), kWidth, kHeight)) {}

void Switch::setOn(bool on) {
    _on = on;
    noteAnimatableChange("on");
}

void Switch::setOn(bool on, bool) {
    setOn(on);
}

void Switch::touchesEnded(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    const bool flips = touch && isTracking() && isEnabled() && isNearControl(*touch);
    if (flips) setOn(!_on);
    Control::touchesEnded(touches, event);
    if (flips) sendActionsForControlEvents(ControlEvents::kValueChanged, event);
}

void Switch::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(
        cls,
        {
            rt::bind<&Switch::isOn>("isOn"),
            rt::bind<&Switch::touchesEnded>("touchesEnded:withEvent:"),
            rt::bind<static_cast<void (Switch::*)(bool)>(&Switch::setOn)>("setOn:"),
            rt::bind<static_cast<void (Switch::*)(bool, bool)>(&Switch::setOn)>("setOn:animated:"),
        });
}

}  // namespace ui
