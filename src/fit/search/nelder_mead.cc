// The Nelder-Mead downhill simplex search of fit() in solver coordinates, from the circuit's
// starting values, followed by the polish. Uses no random numbers.
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "fit/fit_error.h"
#include "fit/search/global_search.h"
#include "fit/search/nelder_mead.h"
#include "fit/search/polish.h"
#include "fit/search/search_space.h"
#include "fit/solver_coordinates.h"

namespace corvex {

namespace {

struct Vertex {
  std::vector<double> point;  // solver coordinates
  double cost = 0.0;
};

// Costs order as numbers, with NaN (a point where the model cannot be evaluated) worse than
// every number, +infinity included; such a vertex is the first to be replaced.
bool cost_less(double a, double b) { return a < b || (std::isnan(b) && !std::isnan(a)); }

// Stable insertion sort on cost_less.
void sort_by_cost(std::vector<Vertex>* simplex) {
  std::vector<Vertex>& s = *simplex;
  for (std::size_t i = 1; i < s.size(); ++i) {
    for (std::size_t j = i; j > 0 && cost_less(s[j].cost, s[j - 1].cost); --j) std::swap(s[j], s[j - 1]);
  }
}

// Sample standard deviation of the vertex costs.
double cost_spread(const std::vector<Vertex>& simplex) {
  const double m = static_cast<double>(simplex.size());
  double sum = 0.0;
  for (const Vertex& v : simplex) sum += v.cost;
  const double mean = sum / m;
  double squares = 0.0;
  for (const Vertex& v : simplex) squares += (v.cost - mean) * (v.cost - mean);
  return std::sqrt(squares / (m - 1.0));
}

// out = from + factor * (to - from), component by component.
void step_towards(const std::vector<double>& from, const std::vector<double>& to, double factor,
                  std::vector<double>* out) {
  for (std::size_t i = 0; i < from.size(); ++i) (*out)[i] = from[i] + factor * (to[i] - from[i]);
}

}  // namespace

Result<SearchResult> nelder_mead_search(const SearchSpace& space, const NelderMeadSettings& settings) {
  const std::size_t n = space.dimension;
  const std::vector<double> y0 = to_solver(space.start, space.bounds);
  CostScratch scratch;
  bool saw_finite_cost = false;
  const auto cost = [&](const std::vector<double>& y) {
    const double c = search_cost(space.problem, space.bounds, y, &scratch);
    saw_finite_cost = saw_finite_cost || std::isfinite(c);
    return c;
  };

  std::vector<Vertex> simplex(n + 1, Vertex{y0, 0.0});
  for (std::size_t i = 0; i < n; ++i) {
    simplex[i + 1].point[i] += std::fabs(y0[i]) > 1e-8 ? 0.1 * std::fabs(y0[i]) : 0.1;
  }
  for (Vertex& v : simplex) v.cost = cost(v.point);
  if (search_interrupted(space)) return interrupted_error();
  sort_by_cost(&simplex);

  constexpr double kInf = std::numeric_limits<double>::infinity();
  std::optional<std::vector<double>> best_point;
  double best_cost = kInf;
  if (!std::isnan(simplex[0].cost)) {
    best_point = simplex[0].point;
    best_cost = simplex[0].cost;
  }

  std::vector<double> centroid(n), reflected(n), trial(n);
  std::uint64_t iterations = 0;
  while (!(cost_spread(simplex) < settings.cost_spread_tolerance) && iterations < settings.max_iterations) {
    if (search_interrupted(space)) return interrupted_error();
    const std::size_t worst = n;
    const std::size_t second_worst = n - 1;
    const double best_c = simplex[0].cost;
    const double second_worst_c = simplex[second_worst].cost;
    const double worst_c = simplex[worst].cost;

    for (std::size_t i = 0; i < n; ++i) {
      double sum = 0.0;
      for (std::size_t j = 0; j < n; ++j) sum += simplex[j].point[i];
      centroid[i] = sum / static_cast<double>(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
      reflected[i] = centroid[i] + settings.reflection * (centroid[i] - simplex[worst].point[i]);
    }
    const double reflected_c = cost(reflected);
    // Ranking NaN last only helps a search that has something better to move towards.
    const bool nan_compared = std::isnan(best_c) || std::isnan(second_worst_c) || std::isnan(worst_c) ||
                              std::isnan(reflected_c);
    if (nan_compared && !saw_finite_cost) {
      return fit_error(FitErrorKind::Solver,
                       "nelder-mead stopped on a NaN cost: `NelderMead`: Reached unreachable point.");
    }

    // The four cases cover every ordering, so the search always moves on.
    bool shrink = false;
    if (!cost_less(reflected_c, best_c) && cost_less(reflected_c, second_worst_c)) {
      simplex[worst].point.swap(reflected);
      simplex[worst].cost = reflected_c;
    } else if (cost_less(reflected_c, best_c)) {
      step_towards(centroid, reflected, settings.expansion, &trial);
      const double expanded_c = cost(trial);
      if (cost_less(expanded_c, reflected_c)) {
        simplex[worst].point.swap(trial);
        simplex[worst].cost = expanded_c;
      } else {
        simplex[worst].point.swap(reflected);
        simplex[worst].cost = reflected_c;
      }
    } else if (cost_less(reflected_c, worst_c)) {
      step_towards(centroid, reflected, settings.contraction, &trial);
      const double contracted_c = cost(trial);
      if (!cost_less(reflected_c, contracted_c)) {
        simplex[worst].point.swap(trial);
        simplex[worst].cost = contracted_c;
      } else {
        shrink = true;
      }
    } else {
      step_towards(centroid, simplex[worst].point, settings.contraction, &trial);
      const double contracted_c = cost(trial);
      if (cost_less(contracted_c, worst_c)) {
        simplex[worst].point.swap(trial);
        simplex[worst].cost = contracted_c;
      } else {
        shrink = true;
      }
    }
    if (shrink) {
      for (std::size_t j = 1; j <= n; ++j) {
        step_towards(simplex[0].point, simplex[j].point, settings.shrink, &simplex[j].point);
        simplex[j].cost = cost(simplex[j].point);
      }
    }

    sort_by_cost(&simplex);
    const double current_cost = simplex[0].cost;
    if (current_cost < best_cost || (current_cost == kInf && best_cost == kInf)) {
      best_point = simplex[0].point;
      best_cost = current_cost;
    }
    ++iterations;
  }

  if (!best_point) return fit_error(FitErrorKind::Solver, "nelder-mead found no best position");
  return SearchResult{from_solver(*best_point, space.bounds), iterations};
}

Result<FitOutcome> nelder_mead_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                   const CancellationToken& cancellation) {
  NelderMeadSettings settings;
  settings.max_iterations = options.nelder_mead_iterations;
  return search_then_polish(circuit, spectrum, options.weight, cancellation,
                            [&](const SearchSpace& space) { return nelder_mead_search(space, settings); });
}

}  // namespace corvex
