#pragma once

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Weak.h"
#include "ui/LayoutAttribute.h"

namespace ui {

class LayoutConstraint;
class View;

// One attribute of one view, from which constraints are made ("NSLayoutAnchor" and its
// dimension, x-axis and y-axis kinds). The constraints it makes are inactive until activated.
class LayoutAnchor : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSLayoutAnchor";

    LayoutAnchor(View* item, LayoutAttribute attribute) : _item(item), _attribute(attribute) {}

    rt::Ref<View> item() const { return _item.lock(); }
    LayoutAttribute attribute() const { return _attribute; }
    bool isDimension() const;

    // "constraintEqualToAnchor:" and "constraintEqualToAnchor:constant:".
    rt::Ref<LayoutConstraint> constraintEqualToAnchor(const LayoutAnchor& anchor,
                                                      double constant = 0) const;
    // "constraintEqualToAnchor:multiplier:" (and with a constant), for dimensions.
    rt::Ref<LayoutConstraint> constraintEqualToAnchorWithMultiplier(const LayoutAnchor& anchor,
                                                                    double multiplier,
                                                                    double constant = 0) const;
    // "constraintEqualToConstant:", for dimensions.
    rt::Ref<LayoutConstraint> constraintEqualToConstant(double constant) const;
    rt::Ref<LayoutConstraint> constraintGreaterThanOrEqualToConstant(double constant) const;
    rt::Ref<LayoutConstraint> constraintLessThanOrEqualToConstant(double constant) const;

  private:
    rt::Weak<View> _item;
    LayoutAttribute _attribute;
};

}  // namespace ui
