// The change of coordinates every solver works in: open-bound parameters as decades above
// their lower bound, bounded parameters as they are.
#pragma once

#include <span>
#include <vector>

#include "elements/element.h"

namespace corvex {

// y = log10(max(x - lo, 1e-300)) for open-bound parameters, y = x otherwise, over the first
// min(bounds, x) entries.
std::vector<double> to_solver(std::span<const double> x, std::span<const ParamBounds> bounds);
// x = lo + 10^y for open-bound parameters, x = y otherwise.
std::vector<double> from_solver(std::span<const double> y, std::span<const ParamBounds> bounds);
// from_solver into the first min(bounds, y) entries of x (which must be at least that long),
// for solver callbacks that must not allocate.
void from_solver(std::span<const double> y, std::span<const ParamBounds> bounds, std::span<double> x);

inline constexpr double kLn10 = 2.302585092994046;

}  // namespace corvex
