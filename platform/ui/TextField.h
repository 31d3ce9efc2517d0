#pragma once

#include <string>

#include "ui/Control.h"
#include "ui/Label.h"

namespace ui {

// A field of editable text ("UITextField"): its text, a placeholder, and the colour and
// alignment it is shown in.
class TextField : public Control {
  public:
    static constexpr const char* kClassName = "UITextField";

    using Control::Control;

    const std::string& text() const { return _text; }
    void setText(std::string text);
    const std::string& placeholder() const { return _placeholder; }
    void setPlaceholder(std::string placeholder) { _placeholder = std::move(placeholder); }
    TextAlignment textAlignment() const { return _textAlignment; }
    void setTextAlignment(TextAlignment alignment) { _textAlignment = alignment; }

  private:
    std::string _text;
    std::string _placeholder;
    TextAlignment _textAlignment = TextAlignment::Natural;
};

}  // namespace ui
