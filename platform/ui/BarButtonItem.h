#pragma once

#include <string>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Selector.h"
#include "rt/Weak.h"
#include "ui/Color.h"

namespace ui {

// "UIBarButtonItemStyle" values.
enum class BarButtonItemStyle : long { Plain = 0, Bordered = 1, Done = 2 };

// A button of a navigation bar ("UIBarButtonItem"): a title, a style, a tint, and a target
// (held weakly) with an action sent when the button is tapped.
class BarButtonItem : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIBarButtonItem";

    BarButtonItem() = default;
    // "initWithTitle:style:target:action:".
    BarButtonItem(std::string title, BarButtonItemStyle style, rt::Object* target,
                  rt::Selector action);

    const std::string& title() const { return _title; }
    BarButtonItemStyle style() const { return _style; }
    rt::Ref<rt::Object> target() const { return _target.lock(); }
    rt::Selector action() const { return _action; }
    const rt::Ref<Color>& tintColor() const { return _tintColor; }
    void setTintColor(rt::Ref<Color> color) { _tintColor = std::move(color); }

    // A tap: sends the action to the target with the item as the sender (an action without
    // a colon is sent without it). Answers false when there is no target or action to send.
    bool tap();

    static void registerRuntimeMethods(rt::Class* cls);

  private:
    std::string _title;
    BarButtonItemStyle _style = BarButtonItemStyle::Plain;
    rt::Weak<rt::Object> _target;
    rt::Selector _action;
    rt::Ref<Color> _tintColor;
};

}  // namespace ui
