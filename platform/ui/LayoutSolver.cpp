#include "ui/LayoutSolver.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <numeric>
#include <optional>
#include <span>

#include "ui/LayoutConstraint.h"
#include "ui/LayoutElimination.h"
#include "ui/LayoutSystem.h"
#include "ui/View.h"

namespace ui {

namespace {

constexpr double kEpsilon = 1e-9;

// An active constraint with its items, held for the time of one solve.
struct HeldConstraint {
    const LayoutConstraint* constraint;
    rt::Ref<View> first;
    rt::Ref<View> second;
};

// A constraint read as an equation, with the group of unknowns it belongs to.
struct Requirement {
    std::uint64_t sequence;  // later activated first
    bool inequality;
    bool atLeast;  // for an inequality: greater than or equal
    std::optional<LinearEquation> equation;
    std::size_t group = 0;  // meaningful when the equation has terms
};

// Unknowns that no equation ties together do not influence each other, so each group of tied
// unknowns is solved on its own: the same steps as for the whole system, on a few columns.
// An equation only ever combines with rows that share one of its unknowns, so the result is
// exactly the whole system's.
class UnknownGroups {
  public:
    UnknownGroups(std::size_t unknowns, std::pmr::memory_resource* memory)
        : _parent(unknowns, memory), _local(unknowns, memory), _start(memory), _order(memory) {
        std::iota(_parent.begin(), _parent.end(), std::size_t{0});
    }

    void tie(const LinearEquation& equation) {
        for (std::size_t i = 1; i < equation.termCount; ++i)
            _parent[root(equation.terms[i].unknown)] = root(equation.terms[0].unknown);
    }

    std::size_t root(std::size_t unknown) {
        while (_parent[unknown] != unknown) unknown = _parent[unknown] = _parent[_parent[unknown]];
        return unknown;
    }

    // After the last tie: each group's members in increasing order, and each unknown's place
    // among them. A group is named by its root unknown.
    void close() {
        const std::size_t count = _parent.size();
        _start.assign(count + 1, 0);
        for (std::size_t unknown = 0; unknown < count; ++unknown) ++_start[root(unknown) + 1];
        std::partial_sum(_start.begin(), _start.end(), _start.begin());
        _order.resize(count);
        std::pmr::vector<std::size_t> next(_start.begin(), _start.end() - 1,
                                           _start.get_allocator());
        for (std::size_t unknown = 0; unknown < count; ++unknown) {
            const std::size_t group = root(unknown);
            _local[unknown] = next[group] - _start[group];
            _order[next[group]++] = unknown;
        }
    }

    std::span<const std::size_t> members(std::size_t group) const {
        return {_order.data() + _start[group], _start[group + 1] - _start[group]};
    }
    std::size_t localIndex(std::size_t unknown) const { return _local[unknown]; }

  private:
    std::pmr::vector<std::size_t> _parent;
    std::pmr::vector<std::size_t> _local;
    std::pmr::vector<std::size_t> _start;
    std::pmr::vector<std::size_t> _order;
};

// Solves groups of a system and checks inequalities against a solution.
class GroupSolver {
  public:
    GroupSolver(const UnknownGroups& groups, std::pmr::vector<double> current)
        : _groups(groups),
          _current(std::move(current)),
          _coefficients(_current.get_allocator()),
          _elimination(_current.get_allocator().resource()) {}

    const std::pmr::vector<double>& current() const { return _current; }

    // The group's enforced equations, latest first, then each member keeps its current value
    // where they leave it open (sizes before positions).
    void solve(std::size_t group, const std::pmr::vector<const Requirement*>& enforced,
               std::pmr::vector<double>& solution) {
        const std::span<const std::size_t> members = _groups.members(group);
        _elimination.reset(members.size());
        for (const Requirement* requirement : enforced) {
            if (!requirement->equation || requirement->equation->termCount == 0 ||
                requirement->group != group)
                continue;
            _elimination.accept(coefficientsOf(*requirement->equation, members.size()),
                                requirement->equation->value);
        }
        for (const bool sizes : {true, false}) {
            for (std::size_t local = 0; local < members.size(); ++local) {
                const bool isSize = (members[local] % kUnknownsPerView) >= kWidth;
                if (isSize != sizes) continue;
                _coefficients.assign(members.size(), 0.0);
                _coefficients[local] = 1;
                _elimination.accept(_coefficients, _current[members[local]]);
            }
        }
        for (std::size_t local = 0; local < members.size(); ++local)
            solution[members[local]] = _elimination.valueOf(local);
    }

    bool isSatisfied(const Requirement& requirement, const std::pmr::vector<double>& solution) {
        if (!requirement.equation) return true;
        const LinearEquation& equation = *requirement.equation;
        double left = 0;
        if (equation.termCount > 0) {
            const std::span<const std::size_t> members = _groups.members(requirement.group);
            const std::span<const double> coefficients = coefficientsOf(equation, members.size());
            for (std::size_t local = 0; local < members.size(); ++local)
                left += coefficients[local] * solution[members[local]];
        }
        const double difference = left - equation.value;
        return requirement.atLeast ? difference >= -kEpsilon : difference <= kEpsilon;
    }

  private:
    // The equation's coefficients over its group's members, terms of one unknown summed.
    std::span<const double> coefficientsOf(const LinearEquation& equation, std::size_t width) {
        _coefficients.assign(width, 0.0);
        for (std::size_t i = 0; i < equation.termCount; ++i)
            _coefficients[_groups.localIndex(equation.terms[i].unknown)] +=
                equation.terms[i].factor;
        return _coefficients;
    }

    const UnknownGroups& _groups;
    std::pmr::vector<double> _current;
    std::pmr::vector<double> _coefficients;
    LayoutElimination _elimination;
};

bool isDimension(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::Width || attribute == LayoutAttribute::Height;
}

// The constraints as requirements, latest activated first, their unknowns grouped.
std::pmr::vector<Requirement> requirementsOf(const LayoutSystem& system,
                                             std::vector<HeldConstraint>& constraints,
                                             UnknownGroups& groups,
                                             std::pmr::memory_resource* memory) {
    std::sort(constraints.begin(), constraints.end(),
              [](const HeldConstraint& a, const HeldConstraint& b) {
                  return a.constraint->activationSequence() > b.constraint->activationSequence();
              });
    std::pmr::vector<Requirement> requirements(memory);
    requirements.reserve(constraints.size());
    for (const auto& [constraint, first, second] : constraints) {
        requirements.push_back({constraint->activationSequence(),
                                constraint->relation() != LayoutRelation::Equal,
                                constraint->relation() == LayoutRelation::GreaterThanOrEqual,
                                system.equationFor(*constraint, first.get(), second.get())});
        if (requirements.back().equation) groups.tie(*requirements.back().equation);
    }
    groups.close();
    for (Requirement& requirement : requirements) {
        if (requirement.equation && requirement.equation->termCount > 0)
            requirement.group = groups.root(requirement.equation->terms[0].unknown);
    }
    return requirements;
}

bool hasTerms(const Requirement* requirement) {
    return requirement->equation && requirement->equation->termCount > 0;
}

// Equalities first; an inequality the result breaks is then held as an equality, the latest
// broken one first, until none is broken. Only the group of a newly held inequality is
// solved again.
// The solution's storage, and all the work's, is taken from `memory`.
std::pmr::vector<double> solve(const LayoutSystem& system, std::vector<HeldConstraint>& constraints,
                               std::pmr::memory_resource* memory) {
    UnknownGroups groups(system.unknownCount(), memory);
    const std::pmr::vector<Requirement> requirements =
        requirementsOf(system, constraints, groups, memory);
    std::pmr::vector<const Requirement*> enforced(memory);
    std::pmr::vector<const Requirement*> inequalities(memory);
    for (const Requirement& requirement : requirements)
        (requirement.inequality ? inequalities : enforced).push_back(&requirement);
    GroupSolver solver(groups, system.currentValues(memory));
    std::pmr::vector<double> solution(solver.current(), memory);
    std::pmr::vector<bool> solved(system.unknownCount(), false, memory);
    for (const Requirement* requirement : enforced) {
        if (!hasTerms(requirement) || solved[requirement->group]) continue;
        solved[requirement->group] = true;
        solver.solve(requirement->group, enforced, solution);
    }
    for (std::size_t round = 0; round < inequalities.size(); ++round) {
        const auto broken =
            std::find_if(inequalities.begin(), inequalities.end(),
                         [&](const Requirement* r) { return !solver.isSatisfied(*r, solution); });
        if (broken == inequalities.end()) break;
        const Requirement* held = *broken;
        inequalities.erase(broken);
        enforced.insert(std::upper_bound(enforced.begin(), enforced.end(), held,
                                         [](const Requirement* a, const Requirement* b) {
                                             return a->sequence > b->sequence;
                                         }),
                        held);
        if (hasTerms(held)) solver.solve(held->group, enforced, solution);
    }
    return solution;
}

// Memory for one solve: a small system's work fits on the stack and allocates nothing.
struct SolverArena {
    std::array<std::byte, 8192> buffer;
    std::pmr::monotonic_buffer_resource memory{buffer.data(), buffer.size()};
};

bool isPartOf(View* item, View* container) {
    return item == container || (item && item->superview().get() == container);
}

void collectForContainer(View& container, const std::vector<rt::Ref<LayoutConstraint>>& installed,
                         std::vector<HeldConstraint>& constraints,
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
        if (std::any_of(constraints.begin(), constraints.end(), [&](const HeldConstraint& held) {
                return held.constraint == constraint.get();
            }))
            continue;
        for (View* item : {first.get(), second.get()}) {
            if (item && item != &container &&
                std::find(unknownViews.begin(), unknownViews.end(), item) == unknownViews.end()) {
                unknownViews.push_back(item);
            }
        }
        constraints.push_back({constraint.get(), std::move(first), std::move(second)});
    }
}

}  // namespace

void LayoutSolver::layOutSubviews(View& container) {
    std::vector<HeldConstraint> constraints;
    std::vector<View*> unknownViews;
    collectForContainer(container, container.constraints(), constraints, unknownViews);
    for (const rt::Ref<View>& subview : container.subviews()) {
        collectForContainer(container, subview->constraints(), constraints, unknownViews);
    }
    if (constraints.empty()) return;
    const LayoutSystem system(&container, unknownViews);
    SolverArena arena;
    const std::pmr::vector<double> solution = solve(system, constraints, &arena.memory);
    for (std::size_t i = 0; i < unknownViews.size(); ++i) {
        const std::size_t base = i * kUnknownsPerView;
        const Rect frame(solution[base + kX], solution[base + kY],
                         std::max(0.0, solution[base + kWidth]),
                         std::max(0.0, solution[base + kHeight]));
        if (frame != unknownViews[i]->frame()) unknownViews[i]->setFrame(frame);
    }
}

Size LayoutSolver::fittingSize(View& view) {
    std::vector<HeldConstraint> constraints;
    for (const rt::Ref<LayoutConstraint>& constraint : view.constraints()) {
        rt::Ref<View> first = constraint->firstItem();
        rt::Ref<View> second = constraint->secondItem();
        const bool ownSize = constraint->isActive() && first.get() == &view &&
                             isDimension(constraint->firstAttribute()) &&
                             (!constraint->hasSecondItem() || second.get() == &view);
        if (ownSize) constraints.push_back({constraint.get(), std::move(first), std::move(second)});
    }
    const Rect frame = view.frame();
    if (constraints.empty()) return frame.size;
    const LayoutSystem system(nullptr, {&view});
    SolverArena arena;
    const std::pmr::vector<double> solution = solve(system, constraints, &arena.memory);
    return {std::max(0.0, solution[kWidth]), std::max(0.0, solution[kHeight])};
}

}  // namespace ui
