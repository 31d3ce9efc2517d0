#include "ui/LayoutSystem.h"

#include <algorithm>

#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace ui {

namespace {

// Leading and trailing as left or right, by the interface's direction.
LayoutAttribute resolveDirection(View* view, LayoutAttribute attribute) {
    if (attribute != LayoutAttribute::Leading && attribute != LayoutAttribute::Trailing)
        return attribute;
    const bool leading = attribute == LayoutAttribute::Leading;
    return leading != view->isRightToLeft() ? LayoutAttribute::Left : LayoutAttribute::Right;
}

}  // namespace

LayoutSystem::LayoutSystem(View* container, std::vector<View*> unknownViews)
    : _container(container), _views(std::move(unknownViews)) {}

std::optional<LinearEquation> LayoutSystem::equationFor(const LayoutConstraint& constraint,
                                                        View* first, View* second) const {
    if (!first || (constraint.hasSecondItem() && !second)) return std::nullopt;
    LinearEquation equation;
    equation.value = constraint.constant();
    const Expression left = attribute(first, constraint.firstAttribute());
    for (std::size_t i = 0; i < left.termCount; ++i)
        equation.add(left.terms[i].unknown, left.terms[i].factor);
    equation.value -= left.constant;
    if (second) {
        const double multiplier = constraint.multiplier();
        const Expression right = attribute(second, constraint.secondAttribute());
        for (std::size_t i = 0; i < right.termCount; ++i)
            equation.add(right.terms[i].unknown, -(multiplier * right.terms[i].factor));
        equation.value += multiplier * right.constant;
    }
    return equation;
}

std::pmr::vector<double> LayoutSystem::currentValues(std::pmr::memory_resource* memory) const {
    std::pmr::vector<double> values(memory);
    values.reserve(unknownCount());
    for (View* view : _views) {
        const Rect frame = view->frame();
        values.insert(values.end(), {frame.x(), frame.y(), frame.width(), frame.height()});
    }
    return values;
}

LayoutSystem::Expression LayoutSystem::attribute(View* view, LayoutAttribute attribute) const {
    if (!view) return {};
    const std::ptrdiff_t index = indexOf(view);
    if (index < 0) return constantAttribute(view, attribute);
    const std::size_t base = static_cast<std::size_t>(index) * kUnknownsPerView;
    const auto one = [](std::size_t unknown, double factor) {
        return Expression{{{{unknown, factor}}}, 1, 0};
    };
    const auto two = [](std::size_t a, std::size_t b, double factorOfB) {
        return Expression{{{{a, 1}, {b, factorOfB}}}, 2, 0};
    };
    switch (resolveDirection(view, attribute)) {
        case LayoutAttribute::Left:
            return one(base + kX, 1);
        case LayoutAttribute::Right:
            return two(base + kX, base + kWidth, 1);
        case LayoutAttribute::Top:
            return one(base + kY, 1);
        case LayoutAttribute::Bottom:
            return two(base + kY, base + kHeight, 1);
        case LayoutAttribute::Width:
            return one(base + kWidth, 1);
        case LayoutAttribute::Height:
            return one(base + kHeight, 1);
        case LayoutAttribute::CenterX:
            return two(base + kX, base + kWidth, 0.5);
        case LayoutAttribute::CenterY:
            return two(base + kY, base + kHeight, 0.5);
        default:
            return {};
    }
}

// The container is seen from inside (its bounds); any other view by its frame.
LayoutSystem::Expression LayoutSystem::constantAttribute(View* view,
                                                         LayoutAttribute attribute) const {
    const Rect box = view == _container ? view->bounds() : view->frame();
    const auto constant = [](double value) { return Expression{{}, 0, value}; };
    switch (resolveDirection(view, attribute)) {
        case LayoutAttribute::Left:
            return constant(box.minX());
        case LayoutAttribute::Right:
            return constant(box.maxX());
        case LayoutAttribute::Top:
            return constant(box.minY());
        case LayoutAttribute::Bottom:
            return constant(box.maxY());
        case LayoutAttribute::Width:
            return constant(box.width());
        case LayoutAttribute::Height:
            return constant(box.height());
        case LayoutAttribute::CenterX:
            return constant(box.midX());
        case LayoutAttribute::CenterY:
            return constant(box.midY());
        default:
            return {};
    }
}

std::ptrdiff_t LayoutSystem::indexOf(View* view) const {
    const auto found = std::find(_views.begin(), _views.end(), view);
    return found == _views.end() ? -1 : found - _views.begin();
}

}  // namespace ui
