// The logarithmic change of coordinates for open-bound parameters that every solver works
// in, so that a parameter can range over decades and never cross its lower bound.
#include "fit/solver_coordinates.h"

#include <algorithm>
#include <cmath>

namespace corvex {
namespace {

constexpr double kDifferenceFloor = 1e-300;

}  // namespace

std::vector<double> to_solver(std::span<const double> x, std::span<const ParamBounds> bounds) {
  const std::size_t n = std::min(x.size(), bounds.size());
  std::vector<double> y(n);
  for (std::size_t i = 0; i < n; ++i) {
    // fmax ignores a NaN difference, which therefore maps to the floor as well.
    y[i] = is_open_bound(bounds[i]) ? std::log10(std::fmax(x[i] - bounds[i].lo, kDifferenceFloor)) : x[i];
  }
  return y;
}

void from_solver(std::span<const double> y, std::span<const ParamBounds> bounds, std::span<double> x) {
  const std::size_t n = std::min({y.size(), bounds.size(), x.size()});
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = is_open_bound(bounds[i]) ? bounds[i].lo + std::pow(10.0, y[i]) : y[i];
  }
}

std::vector<double> from_solver(std::span<const double> y, std::span<const ParamBounds> bounds) {
  std::vector<double> x(std::min(y.size(), bounds.size()));
  from_solver(y, bounds, x);
  return x;
}

}  // namespace corvex
