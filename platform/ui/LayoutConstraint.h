#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rt/Object.h"
#include "rt/Ref.h"
#include "rt/Weak.h"
#include "ui/LayoutAttribute.h"

namespace ui {

class View;

// first.attribute (relation) second.attribute × multiplier + constant ("NSLayoutConstraint").
// Items are held weakly, as the views own the constraints installed on them. A constraint
// takes part in layout while it is active; among active constraints that cannot all hold,
// the one activated last wins (see LayoutSolver).
class LayoutConstraint : public rt::Object {
  public:
    static constexpr const char* kClassName = "NSLayoutConstraint";

    LayoutConstraint(View* firstItem, LayoutAttribute firstAttribute, LayoutRelation relation,
                     View* secondItem, LayoutAttribute secondAttribute, double multiplier,
                     double constant);

    // "constraintWithItem:attribute:relatedBy:toItem:attribute:multiplier:constant:".
    // Throws std::invalid_argument for a constraint the device refuses: no first item or
    // attribute, a position related to a size, or a position related to nothing.
    static rt::Ref<LayoutConstraint> constraintWithItem(View* firstItem,
                                                        LayoutAttribute firstAttribute,
                                                        LayoutRelation relation, View* secondItem,
                                                        LayoutAttribute secondAttribute,
                                                        double multiplier, double constant);

    // "constraintsWithVisualFormat:options:metrics:views:" (see VisualFormat).
    static std::vector<rt::Ref<LayoutConstraint>> constraintsWithVisualFormat(
        const std::string& format, unsigned long options,
        const std::map<std::string, double>& metrics,
        const std::map<std::string, rt::Ref<View>>& views);

    // "activateConstraints:" / "deactivateConstraints:".
    static void activateConstraints(const std::vector<rt::Ref<LayoutConstraint>>& constraints);
    static void deactivateConstraints(const std::vector<rt::Ref<LayoutConstraint>>& constraints);

    rt::Ref<View> firstItem() const { return _firstItem.lock(); }
    rt::Ref<View> secondItem() const { return _secondItem.lock(); }
    bool hasSecondItem() const { return _hasSecondItem; }
    LayoutAttribute firstAttribute() const { return _firstAttribute; }
    LayoutAttribute secondAttribute() const { return _secondAttribute; }
    LayoutRelation relation() const { return _relation; }
    double multiplier() const { return _multiplier; }
    double constant() const { return _constant; }
    void setConstant(double constant);

    // "setActive:": installs the constraint on the nearest common ancestor of its items
    // (the first item alone when there is no second) or removes it from there. Throws
    // std::logic_error when the items have no common ancestor, as the device does.
    bool isActive() const { return _active; }
    void setActive(bool active);

    // Order of activation: later constraints win conflicts.
    std::uint64_t activationSequence() const { return _activationSequence; }

    // Called by the view the constraint is installed on (addConstraint:, removeConstraint:).
    void noteInstalled(View* owner);
    void noteUninstalled();

  private:
    rt::Weak<View> _firstItem;
    rt::Weak<View> _secondItem;
    bool _hasSecondItem;
    LayoutAttribute _firstAttribute;
    LayoutAttribute _secondAttribute;
    LayoutRelation _relation;
    double _multiplier;
    double _constant;
    bool _active = false;
    std::uint64_t _activationSequence = 0;
    rt::Weak<View> _owner;
};

}  // namespace ui
