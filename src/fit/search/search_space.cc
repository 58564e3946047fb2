// Preparation of a global search, the cost of a solver-coordinate point and the search box.
// The cost maps coordinates into reused buffers so that the searches' inner loops allocate nothing.
#include "fit/search/search_space.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fit/fit_error.h"
#include "fit/solver_coordinates.h"

namespace corvex {

SearchSpace::SearchSpace(const Circuit& circuit_in, const Spectrum& spectrum_in, WeightScheme scheme_in,
                         const CancellationToken& cancellation)
    : circuit(circuit_in),
      spectrum(spectrum_in),
      scheme(scheme_in),
      problem(circuit_in.nodes, spectrum_in, scheme_in, cancellation),
      bounds(param_bounds(circuit_in.nodes)),
      start(param_values(circuit_in.nodes)),
      dimension(std::min(bounds.size(), start.size())) {}

Result<std::unique_ptr<SearchSpace>> prepare_search(const Circuit& circuit, const Spectrum& spectrum,
                                                    WeightScheme scheme, const CancellationToken& cancellation) {
  if (Status status = validate_fit_inputs(circuit, spectrum); !status) return status.take_error();
  return std::make_unique<SearchSpace>(circuit, spectrum, scheme, cancellation);
}

double search_cost(const FitProblem& problem, std::span<const ParamBounds> bounds, std::span<const double> y,
                   CostScratch* scratch) {
  const std::size_t n = std::min(y.size(), bounds.size());
  scratch->x.resize(n);
  from_solver(y, bounds, scratch->x);
  scratch->residuals.resize(problem.residual_count());
  // Every search passes a full point; a short one cannot be evaluated and costs NaN.
  if (!residual_vector(problem, scratch->x, scratch->residuals)) return std::numeric_limits<double>::quiet_NaN();
  return half_sum_of_squares(scratch->residuals);
}

SearchBox search_box(std::span<const ParamBounds> bounds, std::span<const double> start) {
  const std::size_t n = std::min(bounds.size(), start.size());
  SearchBox box{std::vector<double>(n), std::vector<double>(n)};
  // max() that keeps the second operand when the first is NaN.
  const auto floor_at = [](double value, double floor) { return value > floor ? value : floor; };
  for (std::size_t i = 0; i < n; ++i) {
    const ParamBounds& b = bounds[i];
    if (!is_open_bound(b)) {
      box.lower[i] = b.lo;
      box.upper[i] = b.hi;
      continue;
    }
    // A NaN start fails the comparison and falls back to 1e-6.
    const double magnitude = std::fabs(start[i]) > 1e-6 ? std::fabs(start[i]) : 1e-6;
    box.lower[i] = std::log10(floor_at(floor_at(1e-4 * magnitude, b.lo) - b.lo, 1e-300));
    box.upper[i] = std::log10(floor_at(1e4 * magnitude - b.lo, 1e-300));
  }
  return box;
}

}  // namespace corvex
