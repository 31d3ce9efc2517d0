#pragma once

#include <cstddef>
#include <memory_resource>
#include <span>
#include <vector>

namespace ui {

// Gauss-Jordan elimination over a fixed number of unknowns that takes linear equations one
// by one and refuses any that adds nothing to, or contradicts, those already taken. The rows
// live in one flat buffer, so taking an equation allocates nothing once the buffer has grown.
class LayoutElimination {
  public:
    explicit LayoutElimination(
        std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // Starts again with no equation taken, over `unknowns` unknowns (the buffers are kept).
    void reset(std::size_t unknowns);

    // sum(coefficients[i] * unknown[i]) = value; false when the equation was refused.
    bool accept(std::span<const double> coefficients, double value);

    // The value of an unknown (zero while no taken equation pivots on it).
    double valueOf(std::size_t unknown) const;

  private:
    double* row(std::size_t index) { return _rows.data() + index * _width; }
    void reduceByTakenRows(double* equation);
    void eliminateFromTakenRows(const double* equation, std::size_t pivot);
    std::ptrdiff_t largestCoefficient(const double* equation) const;

    std::size_t _unknowns = 0;
    std::size_t _width = 1;  // the coefficients, then the value
    std::pmr::vector<double> _rows;
    std::pmr::vector<std::size_t> _pivots;
    std::pmr::vector<std::ptrdiff_t> _pivotRow;
    std::pmr::vector<double> _candidate;
};

}  // namespace ui
