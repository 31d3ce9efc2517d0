#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"

namespace ui {

// A font ("UIFont"): the system font in a weight and a point size.
class Font : public rt::Object {
  public:
    static constexpr const char* kClassName = "UIFont";

    enum class Weight { Regular, Bold };

    Font(Weight weight, double pointSize) : _weight(weight), _pointSize(pointSize) {}

    static rt::Ref<Font> systemFontOfSize(double pointSize);
    static rt::Ref<Font> boldSystemFontOfSize(double pointSize);
    rt::Ref<Font> fontWithSize(double pointSize) const;

    Weight weight() const { return _weight; }
    bool isBold() const { return _weight == Weight::Bold; }
    double pointSize() const { return _pointSize; }

    // The width of `text` set in this font. The simulated phone has no glyph outlines, so
    // each character counts with a fixed share of the point size, as wide as the system font
    // sets it on average; the estimate is stable, which is what fit-to-width relies on.
    double estimatedWidthOf(const std::string& text) const;

  private:
    Weight _weight;
    double _pointSize;
};

}  // namespace ui
