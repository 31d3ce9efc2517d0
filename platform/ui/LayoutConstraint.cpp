#include "ui/LayoutConstraint.h"

#include <atomic>
#include <stdexcept>

#include "rt/Make.h"
#include "ui/View.h"
#include "ui/VisualFormat.h"

namespace ui {

namespace {

bool isDimension(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::Width || attribute == LayoutAttribute::Height;
}

std::uint64_t nextActivationSequence() {
    static std::atomic<std::uint64_t> sequence{0};
    return sequence.fetch_add(1, std::memory_order_relaxed) + 1;
}

// The view a constraint between the two items is installed on: the nearest view that
// contains both.
View* nearestCommonAncestor(View* first, View* second) {
    if (!second) return first;
    for (rt::Ref<View> candidate = rt::retained(first); candidate;
         candidate = candidate->superview()) {
        if (second->isDescendantOf(candidate.get())) return candidate.get();
    }
    return nullptr;
}

}  // namespace

LayoutConstraint::LayoutConstraint(View* firstItem, LayoutAttribute firstAttribute,
                                   LayoutRelation relation, View* secondItem,
                                   LayoutAttribute secondAttribute, double multiplier,
                                   double constant)
    : _firstItem(firstItem),
      _secondItem(secondItem),
      _hasSecondItem(secondItem != nullptr),
      _firstAttribute(firstAttribute),
      _secondAttribute(secondItem ? secondAttribute : LayoutAttribute::NotAnAttribute),
      _relation(relation),
      _multiplier(multiplier),
      _constant(constant) {}

rt::Ref<LayoutConstraint> LayoutConstraint::constraintWithItem(
    View* firstItem, LayoutAttribute firstAttribute, LayoutRelation relation, View* secondItem,
    LayoutAttribute secondAttribute, double multiplier, double constant) {
    if (!firstItem || firstAttribute == LayoutAttribute::NotAnAttribute) {
        throw std::invalid_argument("a layout constraint needs a first item and attribute");
    }
    if (!secondItem && !isDimension(firstAttribute)) {
        throw std::invalid_argument("a position cannot be related to a constant alone");
    }
    if (secondItem && (secondAttribute == LayoutAttribute::NotAnAttribute ||
                       isDimension(firstAttribute) != isDimension(secondAttribute))) {
        throw std::invalid_argument("a layout constraint cannot relate a position to a size");
    }
    return rt::make<LayoutConstraint>(firstItem, firstAttribute, relation, secondItem,
                                      secondAttribute, multiplier, constant);
}

std::vector<rt::Ref<LayoutConstraint>> LayoutConstraint::constraintsWithVisualFormat(
    const std::string& format, unsigned long options, const std::map<std::string, double>& metrics,
    const std::map<std::string, rt::Ref<View>>& views) {
    return VisualFormat::parse(format, options, metrics, views);
}

void LayoutConstraint::activateConstraints(
    const std::vector<rt::Ref<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(true);
}

void LayoutConstraint::deactivateConstraints(
    const std::vector<rt::Ref<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(false);
}

void LayoutConstraint::setConstant(double constant) {
    _constant = constant;
    if (rt::Ref<View> owner = _owner.lock()) owner->setNeedsLayout();
}

void LayoutConstraint::setActive(bool active) {
    if (active == _active) return;
    if (!active) {
        if (rt::Ref<View> owner = _owner.lock()) owner->removeConstraint(this);
        noteUninstalled();
        return;
    }
    rt::Ref<View> first = firstItem();
    rt::Ref<View> second = secondItem();
    if (!first || (_hasSecondItem && !second)) return;  // an item is gone: nothing left to lay out
    View* owner = nearestCommonAncestor(first.get(), second.get());
    if (!owner)
        throw std::logic_error(
            "cannot activate a constraint between views with no common ancestor");
    owner->addConstraint(this);
}

void LayoutConstraint::noteInstalled(View* owner) {
    if (rt::Ref<View> previous = _owner.lock(); previous && previous.get() != owner)
        previous->removeConstraint(this);
    _owner = rt::Weak<View>(owner);
    _active = true;
    _activationSequence = nextActivationSequence();
}

void LayoutConstraint::noteUninstalled() {
    _owner.reset();
    _active = false;
}

}  // namespace ui
