#pragma once

#include "ui/Control.h"

namespace ui {

// A horizontal slider for a value between a minimum and a maximum ("UISlider").
//
// The value is always clamped to the range. A drag works as on the device: the touch that
// begins on the slider sends value-changed (the action sees the touch in phase began);
// moving moves the value by the distance moved along the track, sending value-changed when
// continuous; lifting sends a last value-changed (phase ended) and touch-up-inside or
// -outside. Every action receives the event carrying the touch in its phase.
class Slider : public Control {
  public:
    static constexpr const char* kClassName = "UISlider";
    // The thumb's diameter: the track it moves along is the width less the thumb.
    static constexpr double kThumbDiameter = 28;

    using Control::Control;

    float value() const { return _value; }
    void setValue(float value);
    void setValue(float value, bool animated);
    float minimumValue() const { return _minimumValue; }
    // Also clamps the value (and the maximum, when it would fall below).
    void setMinimumValue(float minimum);
    float maximumValue() const { return _maximumValue; }
    void setMaximumValue(float maximum);
    bool isContinuous() const { return _continuous; }
    void setContinuous(bool continuous) { _continuous = continuous; }

    const rt::Ref<Color>& minimumTrackTintColor() const { return _minimumTrackTintColor; }
    void setMinimumTrackTintColor(rt::Ref<Color> color) {
        _minimumTrackTintColor = std::move(color);
    }
    const rt::Ref<Color>& maximumTrackTintColor() const { return _maximumTrackTintColor; }
    void setMaximumTrackTintColor(rt::Ref<Color> color) {
        _maximumTrackTintColor = std::move(color);
    }
    const rt::Ref<Color>& thumbTintColor() const { return _thumbTintColor; }
    void setThumbTintColor(rt::Ref<Color> color) { _thumbTintColor = std::move(color); }

    // The control's touch methods, with the value following the finger.
    void touchesBegan(rt::Object* touches, rt::Object* event);
    void touchesMoved(rt::Object* touches, rt::Object* event);
    void touchesEnded(rt::Object* touches, rt::Object* event);
    void touchesCancelled(rt::Object* touches, rt::Object* event);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    float valueForTouch(const Touch& touch) const;
    float clamped(float value) const;

    float _value = 0;
    float _minimumValue = 0;
    float _maximumValue = 1;
    bool _continuous = true;
    rt::Ref<Color> _minimumTrackTintColor;
    rt::Ref<Color> _maximumTrackTintColor;
    rt::Ref<Color> _thumbTintColor;
    double _dragStartX = 0;
    float _dragStartValue = 0;
};

}  // namespace ui
