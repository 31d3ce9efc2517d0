#pragma once

#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "ui/Color.h"

namespace ui {

// The layer behind a view ("CALayer"): the properties a renderer needs that the view does
// not carry itself.
class Layer : public rt::Object {
  public:
    static constexpr const char* kClassName = "CALayer";

    double cornerRadius() const { return _cornerRadius; }
    void setCornerRadius(double radius) { _cornerRadius = radius; }
    bool masksToBounds() const { return _masksToBounds; }
    void setMasksToBounds(bool masks) { _masksToBounds = masks; }
    double borderWidth() const { return _borderWidth; }
    void setBorderWidth(double width) { _borderWidth = width; }
    const rt::Ref<Color>& borderColor() const { return _borderColor; }
    void setBorderColor(rt::Ref<Color> color) { _borderColor = std::move(color); }

    // The compositing filters, in order; an empty list when none were set.
    const std::vector<rt::Ref<rt::Object>>& filters() const { return _filters; }
    void setFilters(std::vector<rt::Ref<rt::Object>> filters) { _filters = std::move(filters); }

  private:
    double _cornerRadius = 0;
    bool _masksToBounds = false;
    double _borderWidth = 0;
    rt::Ref<Color> _borderColor;
    std::vector<rt::Ref<rt::Object>> _filters;
};

}  // namespace ui
