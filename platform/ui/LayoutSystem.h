#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <vector>

#include "ui/LayoutAttribute.h"

namespace ui {

class LayoutConstraint;
class View;

// Unknowns of one view: x, y, width, height of its frame in the container's coordinates.
enum LayoutUnknown { kX = 0, kY = 1, kWidth = 2, kHeight = 3, kUnknownsPerView = 4 };

// sum(factor * unknown) over the terms = value. A constraint relates two attributes of at
// most two unknowns each, so four terms suffice; an unknown may appear in more than one.
struct LinearEquation {
    struct Term {
        std::size_t unknown;
        double factor;
    };
    std::array<Term, 4> terms{};
    std::size_t termCount = 0;
    double value = 0;

    void add(std::size_t unknown, double factor) { terms[termCount++] = {unknown, factor}; }
};

// The linear system of one container: which views' frames are unknown, and any view's
// attribute read as an expression of those unknowns.
class LayoutSystem {
  public:
    LayoutSystem(View* container, std::vector<View*> unknownViews);

    std::size_t unknownCount() const { return _views.size() * kUnknownsPerView; }
    const std::vector<View*>& views() const { return _views; }

    // first - multiplier * second = constant, for the constraint's items as the caller holds
    // them (null when gone); nothing when an item is gone.
    std::optional<LinearEquation> equationFor(const LayoutConstraint& constraint, View* first,
                                              View* second) const;

    // The current frames, as the values that constraints leave open keep.
    std::pmr::vector<double> currentValues(std::pmr::memory_resource* memory) const;

  private:
    // A linear expression of the unknowns: at most two terms plus a constant.
    struct Expression {
        std::array<LinearEquation::Term, 2> terms{};
        std::size_t termCount = 0;
        double constant = 0;
    };

    Expression attribute(View* view, LayoutAttribute attribute) const;
    Expression constantAttribute(View* view, LayoutAttribute attribute) const;
    std::ptrdiff_t indexOf(View* view) const;

    View* _container;
    std::vector<View*> _views;
};

}  // namespace ui
