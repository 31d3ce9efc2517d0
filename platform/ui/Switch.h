#pragma once

#include "ui/Control.h"

namespace ui {

// An on/off switch ("UISwitch"), 51 × 31 points as on the device. A tap that lifts inside
// flips it and sends value-changed; setOn changes it without sending anything.
class Switch : public Control {
  public:
    static constexpr const char* kClassName = "UISwitch";
    static constexpr double kWidth = 51;
    static constexpr double kHeight = 31;

    Switch();
    explicit Switch(const Rect& frame);  // "initWithFrame:": the size is always the switch's

    bool isOn() const { return _on; }
    void setOn(bool on);
    void setOn(bool on, bool animated);  // "setOn:animated:"
    const rt::Ref<Color>& onTintColor() const { return _onTintColor; }
    void setOnTintColor(rt::Ref<Color> color) { _onTintColor = std::move(color); }

    // "touchesEnded:withEvent:": a touch lifting inside flips the switch.
    void touchesEnded(rt::Object* touches, rt::Object* event);

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    bool _on = false;
    rt::Ref<Color> _onTintColor;
};

}  // namespace ui
