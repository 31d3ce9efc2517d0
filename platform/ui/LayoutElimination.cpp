#include "ui/LayoutElimination.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kEpsilon = 1e-9;

// target -= factor * source, over the coefficients and the value.
void subtract(double* target, const double* source, double factor, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) target[i] -= factor * source[i];
}

}  // namespace

LayoutElimination::LayoutElimination(std::pmr::memory_resource* memory)
    : _rows(memory), _pivots(memory), _pivotRow(memory), _candidate(memory) {}

void LayoutElimination::reset(std::size_t unknowns) {
    _unknowns = unknowns;
    _width = unknowns + 1;
    _rows.clear();
    _rows.reserve(_width * unknowns);
    _pivots.clear();
    _pivotRow.assign(unknowns, -1);
    _candidate.resize(_width);
}

bool LayoutElimination::accept(std::span<const double> coefficients, double value) {
    double* equation = _candidate.data();
    std::copy(coefficients.begin(), coefficients.end(), equation);
    equation[_unknowns] = value;
    reduceByTakenRows(equation);
    const std::ptrdiff_t pivot = largestCoefficient(equation);
    if (pivot < 0) return false;  // redundant or contradictory: an earlier-taken one wins
    const double scale = equation[pivot];
    for (std::size_t i = 0; i < _width; ++i) equation[i] /= scale;
    eliminateFromTakenRows(equation, static_cast<std::size_t>(pivot));
    _pivotRow[static_cast<std::size_t>(pivot)] = static_cast<std::ptrdiff_t>(_pivots.size());
    _pivots.push_back(static_cast<std::size_t>(pivot));
    _rows.insert(_rows.end(), equation, equation + _width);
    return true;
}

double LayoutElimination::valueOf(std::size_t unknown) const {
    const std::ptrdiff_t taken = _pivotRow[unknown];
    return taken < 0 ? 0.0 : _rows[static_cast<std::size_t>(taken) * _width + _unknowns];
}

// The candidate loses every unknown a taken row pivots on.
void LayoutElimination::reduceByTakenRows(double* equation) {
    for (std::size_t taken = 0; taken < _pivots.size(); ++taken) {
        const double factor = equation[_pivots[taken]];
        if (std::fabs(factor) > kEpsilon) subtract(equation, row(taken), factor, _width);
    }
}

// Every taken row loses the candidate's pivot.
void LayoutElimination::eliminateFromTakenRows(const double* equation, std::size_t pivot) {
    for (std::size_t taken = 0; taken < _pivots.size(); ++taken) {
        double* target = row(taken);
        const double factor = target[pivot];
        if (std::fabs(factor) > kEpsilon) subtract(target, equation, factor, _width);
    }
}

// The first coefficient of the largest magnitude, or -1 when all are (nearly) zero.
std::ptrdiff_t LayoutElimination::largestCoefficient(const double* equation) const {
    std::ptrdiff_t best = -1;
    double bestMagnitude = kEpsilon;
    for (std::size_t i = 0; i < _unknowns; ++i) {
        if (std::fabs(equation[i]) > bestMagnitude) {
            bestMagnitude = std::fabs(equation[i]);
            best = static_cast<std::ptrdiff_t>(i);
        }
    }
    return best;
}

}  // namespace ui
