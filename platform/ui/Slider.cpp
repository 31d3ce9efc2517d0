#include "ui/Slider.h"

#include <algorithm>
#include <cmath>

#include "rt/MethodBinding.h"
#include "ui/Touch.h"

namespace ui {

void Slider::setValue(float value) {
    if (std::isnan(value)) return;  // not a position on the track
    _value = clamped(value);
    noteAnimatableChange("value");
}

void Slider::setValue(float value, bool) {
    setValue(value);
}

void Slider::setMinimumValue(float minimum) {
    if (std::isnan(minimum)) return;
    _minimumValue = minimum;
    _maximumValue = std::max(_maximumValue, minimum);
    _value = clamped(_value);
}

void Slider::setMaximumValue(float maximum) {
    if (std::isnan(maximum)) return;
    _maximumValue = maximum;
    _minimumValue = std::min(_minimumValue, maximum);
    _value = clamped(_value);
}

float Slider::clamped(float value) const {
    return std::clamp(value, _minimumValue, _maximumValue);
}

float Slider::valueForTouch(const Touch& touch) const {
    const double track = std::max(1.0, bounds().width() - kThumbDiameter);
    const double moved = touch.locationInView(this).x - _dragStartX;
    const double direction = isRightToLeft() ? -1.0 : 1.0;
    const double range = static_cast<double>(_maximumValue) - _minimumValue;
    return clamped(static_cast<float>(_dragStartValue + direction * moved / track * range));
}

void Slider::touchesBegan(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    if (!isEnabled() || !touch) return;
    _dragStartX = touch->locationInView(this).x;
    _dragStartValue = _value;
    Control::touchesBegan(touches, event);
    sendActionsForControlEvents(ControlEvents::kValueChanged, event);
}

void Slider::touchesMoved(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    if (!isTracking() || !touch) return;
    setValue(valueForTouch(*touch));
    Control::touchesMoved(touches, event);
    if (_continuous) sendActionsForControlEvents(ControlEvents::kValueChanged, event);
}

void Slider::touchesEnded(rt::Object* touches, rt::Object* event) {
    const Touch* touch = touchIn(touches);
    if (!isTracking() || !touch) return;
    setValue(valueForTouch(*touch));
    sendActionsForControlEvents(ControlEvents::kValueChanged, event);
    Control::touchesEnded(touches, event);
}

void Slider::touchesCancelled(rt::Object* touches, rt::Object* event) {
    if (!isTracking() || !touchIn(touches)) return;
    sendActionsForControlEvents(ControlEvents::kValueChanged, event);
    Control::touchesCancelled(touches, event);
}

void Slider::registerRuntimeMethods(rt::Class* cls) {
    rt::addMethods(cls, {
                            rt::bind<&Slider::touchesBegan>("touchesBegan:withEvent:"),
                            rt::bind<&Slider::touchesMoved>("touchesMoved:withEvent:"),
                            rt::bind<&Slider::touchesEnded>("touchesEnded:withEvent:"),
                            rt::bind<&Slider::touchesCancelled>("touchesCancelled:withEvent:"),
                        });
}

}  // namespace ui
