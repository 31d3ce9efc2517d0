#include "ui/LayoutAnchor.h"

#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace ui {

bool LayoutAnchor::isDimension() const {
    return _attribute == LayoutAttribute::Width || _attribute == LayoutAttribute::Height;
}

rt::Ref<LayoutConstraint> LayoutAnchor::constraintEqualToAnchor(const LayoutAnchor& anchor,
                                                                double constant) const {
    return constraintEqualToAnchorWithMultiplier(anchor, 1.0, constant);
}

rt::Ref<LayoutConstraint> LayoutAnchor::constraintEqualToAnchorWithMultiplier(
    const LayoutAnchor& anchor, double multiplier, double constant) const {
    return LayoutConstraint::constraintWithItem(item().get(), _attribute, LayoutRelation::Equal,
                                                anchor.item().get(), anchor.attribute(), multiplier,
                                                constant);
}

rt::Ref<LayoutConstraint> LayoutAnchor::constraintEqualToConstant(double constant) const {
    return LayoutConstraint::constraintWithItem(item().get(), _attribute, LayoutRelation::Equal,
                                                nullptr, LayoutAttribute::NotAnAttribute, 1.0,
                                                constant);
}

rt::Ref<LayoutConstraint> LayoutAnchor::constraintGreaterThanOrEqualToConstant(
    double constant) const {
    return LayoutConstraint::constraintWithItem(item().get(), _attribute,
                                                LayoutRelation::GreaterThanOrEqual, nullptr,
                                                LayoutAttribute::NotAnAttribute, 1.0, constant);
}

rt::Ref<LayoutConstraint> LayoutAnchor::constraintLessThanOrEqualToConstant(double constant) const {
    return LayoutConstraint::constraintWithItem(item().get(), _attribute,
                                                LayoutRelation::LessThanOrEqual, nullptr,
                                                LayoutAttribute::NotAnAttribute, 1.0, constant);
}

}  // namespace ui
