#include "ui/LayoutSolver.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/LayoutConstraint.h"
#include "ui/View.h"

namespace ui {

namespace {

constexpr double kEpsilon = 1e-9;

// Unknowns of one view: x, y, width, height of its frame in the container's coordinates.
enum Unknown { kX = 0, kY = 1, kWidth = 2, kHeight = 3, kUnknownsPerView = 4 };

// sum(coefficients[i] * unknown[i]) = value
struct Equation {
    std::vector<double> coefficients;
    double value = 0;
};

// A linear expression of the unknowns: terms plus a constant.
struct Expression {
    std::vector<std::pair<int, double>> terms;
    double constant = 0;
};

// The system being built for one container: which views are unknown and how to read any
// view's attribute as an expression.
class System {
  public:
    System(View* container, std::vector<View*> unknownViews)
        : _container(container), _views(std::move(unknownViews)) {}

    std::size_t unknownCount() const { return _views.size() * kUnknownsPerView; }
    const std::vector<View*>& views() const { return _views; }

    Expression attribute(View* view, LayoutAttribute attribute) const {
        if (!view) return {};
        const int index = indexOf(view);
        if (index < 0) return constantAttribute(view, attribute);
        const int base = index * kUnknownsPerView;
        switch (resolveDirection(view, attribute)) {
            case LayoutAttribute::Left:
                return {{{base + kX, 1}}, 0};
            case LayoutAttribute::Right:
                return {{{base + kX, 1}, {base + kWidth, 1}}, 0};
            case LayoutAttribute::Top:
                return {{{base + kY, 1}}, 0};
            case LayoutAttribute::Bottom:
                return {{{base + kY, 1}, {base + kHeight, 1}}, 0};
            case LayoutAttribute::Width:
                return {{{base + kWidth, 1}}, 0};
            case LayoutAttribute::Height:
                return {{{base + kHeight, 1}}, 0};
            case LayoutAttribute::CenterX:
                return {{{base + kX, 1}, {base + kWidth, 0.5}}, 0};
            case LayoutAttribute::CenterY:
                return {{{base + kY, 1}, {base + kHeight, 0.5}}, 0};
            default:
                return {};
        }
    }

    // first - multiplier * second = constant
    std::optional<Equation> equationFor(const LayoutConstraint& constraint) const {
        rt::Ref<View> first = constraint.firstItem();
        rt::Ref<View> second = constraint.secondItem();
        if (!first || (constraint.hasSecondItem() && !second)) return std::nullopt;
        Equation equation{std::vector<double>(unknownCount(), 0.0), constraint.constant()};
        const Expression left = attribute(first.get(), constraint.firstAttribute());
        for (const auto& [index, factor] : left.terms) equation.coefficients[index] += factor;
        equation.value -= left.constant;
        if (second) {
            const Expression right = attribute(second.get(), constraint.secondAttribute());
            for (const auto& [index, factor] : right.terms)
                equation.coefficients[index] -= constraint.multiplier() * factor;
            equation.value += constraint.multiplier() * right.constant;
        }
        return equation;
    }

    Equation stay(std::size_t unknown, double value) const {
        Equation equation{std::vector<double>(unknownCount(), 0.0), value};
        equation.coefficients[unknown] = 1;
        return equation;
    }

  private:
    int indexOf(View* view) const {
        auto found = std::find(_views.begin(), _views.end(), view);
        return found == _views.end() ? -1 : static_cast<int>(found - _views.begin());
    }

    // Leading and trailing as left or right, by the interface's direction.
    static LayoutAttribute resolveDirection(View* view, LayoutAttribute attribute) {
        if (attribute != LayoutAttribute::Leading && attribute != LayoutAttribute::Trailing)
            return attribute;
        const bool leading = attribute == LayoutAttribute::Leading;
        return leading != view->isRightToLeft() ? LayoutAttribute::Left : LayoutAttribute::Right;
    }

    // The container is seen from inside (its bounds); any other view by its frame.
    Expression constantAttribute(View* view, LayoutAttribute attribute) const {
        const Rect box = view == _container ? view->bounds() : view->frame();
        switch (resolveDirection(view, attribute)) {
            case LayoutAttribute::Left:
                return {{}, box.minX()};
            case LayoutAttribute::Right:
                return {{}, box.maxX()};
            case LayoutAttribute::Top:
                return {{}, box.minY()};
            case LayoutAttribute::Bottom:
                return {{}, box.maxY()};
            case LayoutAttribute::Width:
                return {{}, box.width()};
            case LayoutAttribute::Height:
                return {{}, box.height()};
            case LayoutAttribute::CenterX:
                return {{}, box.midX()};
            case LayoutAttribute::CenterY:
                return {{}, box.midY()};
            default:
                return {};
        }
    }

    View* _container;
    std::vector<View*> _views;
};

// Gauss-Jordan elimination that accepts equations one by one and refuses any that adds
// nothing or contradicts those already accepted.
class Elimination {
  public:
    explicit Elimination(std::size_t unknowns) : _pivotRow(unknowns, -1) {}

    bool accept(Equation equation) {
        for (const Row& row : _rows) {
            const double factor = equation.coefficients[row.pivot];
            if (std::fabs(factor) > kEpsilon) subtract(equation, row.equation, factor);
        }
        const auto pivot = largestCoefficient(equation);
        if (!pivot) return false;  // redundant or contradictory: an earlier-taken one wins
        const double scale = equation.coefficients[*pivot];
        for (double& coefficient : equation.coefficients) coefficient /= scale;
        equation.value /= scale;
        for (Row& row : _rows) {
            const double factor = row.equation.coefficients[*pivot];
            if (std::fabs(factor) > kEpsilon) subtract(row.equation, equation, factor);
        }
        _pivotRow[*pivot] = static_cast<int>(_rows.size());
        _rows.push_back({*pivot, std::move(equation)});
        return true;
    }

    // The value of an unknown; valid once every unknown has a pivot.
    double valueOf(std::size_t unknown) const {
        const int row = _pivotRow[unknown];
        return row < 0 ? 0.0 : _rows[static_cast<std::size_t>(row)].equation.value;
    }

  private:
    struct Row {
        std::size_t pivot;
        Equation equation;
    };

    static void subtract(Equation& target, const Equation& source, double factor) {
        for (std::size_t i = 0; i < target.coefficients.size(); ++i)
            target.coefficients[i] -= factor * source.coefficients[i];
        target.value -= factor * source.value;
    }

    static std::optional<std::size_t> largestCoefficient(const Equation& equation) {
        std::optional<std::size_t> best;
        double bestMagnitude = kEpsilon;
        for (std::size_t i = 0; i < equation.coefficients.size(); ++i) {
            if (std::fabs(equation.coefficients[i]) > bestMagnitude) {
                bestMagnitude = std::fabs(equation.coefficients[i]);
                best = i;
            }
        }
        return best;
    }

    std::vector<int> _pivotRow;
    std::vector<Row> _rows;
};

bool isDimension(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::Width || attribute == LayoutAttribute::Height;
}

// The current frames, as the values that constraints leave open keep.
std::vector<double> currentValues(const System& system) {
    std::vector<double> values;
    for (View* view : system.views()) {
        const Rect frame = view->frame();
        values.insert(values.end(), {frame.x(), frame.y(), frame.width(), frame.height()});
    }
    return values;
}

std::vector<double> solveEqualities(const System& system,
                                    const std::vector<const LayoutConstraint*>& constraints) {
    Elimination elimination(system.unknownCount());
    for (const LayoutConstraint* constraint : constraints) {  // latest first
        if (auto equation = system.equationFor(*constraint))
            elimination.accept(std::move(*equation));
    }
    const std::vector<double> current = currentValues(system);
    for (int pass : {0, 1}) {  // sizes keep their values before positions do
        for (std::size_t i = 0; i < current.size(); ++i) {
            const bool isSize = (i % kUnknownsPerView) >= kWidth;
            if (isSize == (pass == 0)) elimination.accept(system.stay(i, current[i]));
        }
    }
    std::vector<double> solution(system.unknownCount());
    for (std::size_t i = 0; i < solution.size(); ++i) solution[i] = elimination.valueOf(i);
    return solution;
}

bool isSatisfied(const System& system, const LayoutConstraint& constraint,
                 const std::vector<double>& solution) {
    const auto equation = system.equationFor(constraint);
    if (!equation) return true;
    double left = 0;
    for (std::size_t i = 0; i < solution.size(); ++i)
        left += equation->coefficients[i] * solution[i];
    const double difference = left - equation->value;
    return constraint.relation() == LayoutRelation::GreaterThanOrEqual ? difference >= -kEpsilon
                                                                       : difference <= kEpsilon;
}

// Equalities first; an inequality the result breaks is then held as an equality, the latest
// broken one first, until none is broken.
std::vector<double> solve(const System& system, std::vector<const LayoutConstraint*> constraints) {
    std::sort(constraints.begin(), constraints.end(),
              [](const LayoutConstraint* a, const LayoutConstraint* b) {
                  return a->activationSequence() > b->activationSequence();
              });
    std::vector<const LayoutConstraint*> enforced;
    std::vector<const LayoutConstraint*> inequalities;
    for (const LayoutConstraint* constraint : constraints) {
        (constraint->relation() == LayoutRelation::Equal ? enforced : inequalities)
            .push_back(constraint);
    }
    std::vector<double> solution = solveEqualities(system, enforced);
    for (std::size_t round = 0; round < inequalities.size(); ++round) {
        auto broken = std::find_if(
            inequalities.begin(), inequalities.end(),
            [&](const LayoutConstraint* c) { return !isSatisfied(system, *c, solution); });
        if (broken == inequalities.end()) break;
        enforced.push_back(*broken);
        inequalities.erase(broken);
        std::sort(enforced.begin(), enforced.end(),
                  [](const LayoutConstraint* a, const LayoutConstraint* b) {
                      return a->activationSequence() > b->activationSequence();
                  });
        solution = solveEqualities(system, enforced);
    }
    return solution;
}

bool isPartOf(View* item, View* container) {
    return item == container || (item && item->superview().get() == container);
}

void collectForContainer(View& container, const std::vector<rt::Ref<LayoutConstraint>>& installed,
                         std::vector<const LayoutConstraint*>& constraints,
                         std::vector<View*>& unknownViews) {
    for (const rt::Ref<LayoutConstraint>& constraint : installed) {
        if (!constraint->isActive()) continue;
        rt::Ref<View> first = constraint->firstItem();
        rt::Ref<View> second = constraint->secondItem();
        if (!first || (constraint->hasSecondItem() && !second)) continue;
        if (!isPartOf(first.get(), &container) || (second && !isPartOf(second.get(), &container)))
            continue;
        const bool placesASubview =
            first.get() != &container || (second && second.get() != &container);
        if (!placesASubview) continue;
        if (std::find(constraints.begin(), constraints.end(), constraint.get()) !=
            constraints.end())
            continue;
        constraints.push_back(constraint.get());
        for (View* item : {first.get(), second.get()}) {
            if (item && item != &container &&
                std::find(unknownViews.begin(), unknownViews.end(), item) == unknownViews.end()) {
                unknownViews.push_back(item);
            }
        }
    }
}

}  // namespace

void LayoutSolver::layOutSubviews(View& container) {
    std::vector<const LayoutConstraint*> constraints;
    std::vector<View*> unknownViews;
    collectForContainer(container, container.constraints(), constraints, unknownViews);
    for (const rt::Ref<View>& subview : container.subviews()) {
        collectForContainer(container, subview->constraints(), constraints, unknownViews);
    }
    if (constraints.empty()) return;
    const System system(&container, unknownViews);
    const std::vector<double> solution = solve(system, constraints);
    for (std::size_t i = 0; i < unknownViews.size(); ++i) {
        const std::size_t base = i * kUnknownsPerView;
        const Rect frame(solution[base + kX], solution[base + kY],
                         std::max(0.0, solution[base + kWidth]),
                         std::max(0.0, solution[base + kHeight]));
        if (frame != unknownViews[i]->frame()) unknownViews[i]->setFrame(frame);
    }
}

Size LayoutSolver::fittingSize(View& view) {
    std::vector<const LayoutConstraint*> constraints;
    for (const rt::Ref<LayoutConstraint>& constraint : view.constraints()) {
        rt::Ref<View> first = constraint->firstItem();
        rt::Ref<View> second = constraint->secondItem();
        const bool ownSize = constraint->isActive() && first.get() == &view &&
                             isDimension(constraint->firstAttribute()) &&
                             (!constraint->hasSecondItem() || second.get() == &view);
        if (ownSize) constraints.push_back(constraint.get());
    }
    const Rect frame = view.frame();
    if (constraints.empty()) return frame.size;
    const System system(nullptr, {&view});
    const std::vector<double> solution = solve(system, constraints);
    return {std::max(0.0, solution[kWidth]), std::max(0.0, solution[kHeight])};
}

}  // namespace ui
