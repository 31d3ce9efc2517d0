#pragma once

#include <string>

#include "ui/Font.h"
#include "ui/View.h"

namespace ui {

// "NSTextAlignment" values.
enum class TextAlignment : long { Left = 0, Center = 1, Right = 2, Justified = 3, Natural = 4 };

// A view that shows a line of text ("UILabel"). It takes no touches by default. With
// adjustsFontSizeToFitWidth, text too wide for the bounds is shown in a smaller font, down to
// the minimum scale factor of the font's size.
class Label : public View {
  public:
    static constexpr const char* kClassName = "UILabel";

    Label();
    explicit Label(const Rect& frame);

    const std::string& text() const { return _text; }
    void setText(std::string text);
    const rt::Ref<Font>& font() const { return _font; }
    // Null goes back to the default, the system font of size 17.
    void setFont(rt::Ref<Font> font);
    const rt::Ref<Color>& textColor() const { return _textColor; }
    // Null goes back to the default, black.
    void setTextColor(rt::Ref<Color> color);
    TextAlignment textAlignment() const { return _textAlignment; }
    void setTextAlignment(TextAlignment alignment) { _textAlignment = alignment; }
    long numberOfLines() const { return _numberOfLines; }
    void setNumberOfLines(long lines) { _numberOfLines = lines; }
    bool adjustsFontSizeToFitWidth() const { return _adjustsFontSizeToFitWidth; }
    void setAdjustsFontSizeToFitWidth(bool adjusts) { _adjustsFontSizeToFitWidth = adjusts; }
    double minimumScaleFactor() const { return _minimumScaleFactor; }
    // Clamped to 0...1.
    void setMinimumScaleFactor(double factor);

    // The point size the text is shown in, after fitting it to the width.
    double displayedFontSize() const;
    // The text's width in the font it is shown in (an estimate, see Font).
    double displayedTextWidth() const;

  private:
    std::string _text;
    rt::Ref<Font> _font;
    rt::Ref<Color> _textColor;
    TextAlignment _textAlignment = TextAlignment::Natural;
    long _numberOfLines = 1;
    bool _adjustsFontSizeToFitWidth = false;
    double _minimumScaleFactor = 0;
};

}  // namespace ui
