// The simulated annealing walk of fit() in solver coordinates with the fast 1/k cooling
// schedule, using a neighbour stream and an acceptance stream, followed by the polish.
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "fit/fit_error.h"
#include "fit/search/global_search.h"
#include "fit/search/polish.h"
#include "fit/search/random_stream.h"
#include "fit/search/search_space.h"
#include "fit/search/simulated_annealing.h"
#include "fit/solver_coordinates.h"

namespace corvex {

namespace {

// The neighbour and acceptance streams: from seed and seed + 1 (wrapping), or two fresh
// operating-system keys.
struct AnnealingStreams {
  std::optional<RandomStream> neighbour;
  std::optional<RandomStream> acceptance;
};

Status make_streams(std::optional<std::uint64_t> seed, AnnealingStreams* streams) {
  auto neighbour = seeded_stream(seed);
  if (!neighbour) return neighbour.take_error();
  auto acceptance = seeded_stream(seed ? std::optional<std::uint64_t>(*seed + 1) : std::nullopt);
  if (!acceptance) return acceptance.take_error();
  streams->neighbour.emplace(neighbour.value());
  streams->acceptance.emplace(acceptance.value());
  return {};
}

}  // namespace

Result<SearchResult> simulated_annealing_search(const SearchSpace& space, const AnnealingSettings& settings) {
  std::vector<double> current = to_solver(space.start, space.bounds);
  AnnealingStreams streams;
  if (Status status = make_streams(settings.seed, &streams); !status) {
    return fit_error(FitErrorKind::Solver, status.error().message);
  }
  const double t0 = settings.initial_temperature;
  if (t0 <= 0.0) {
    return fit_error(FitErrorKind::Solver,
                     "Invalid parameter: \"`SimulatedAnnealing`: Initial temperature must be > 0.\"");
  }
  // Neighbours are drawn from [-T, T]; its width 2T must be a finite number (every later
  // temperature is smaller).
  if (!std::isfinite(t0 + t0)) {
    return fit_error(FitErrorKind::Solver,
                     "Invalid parameter: \"`SimulatedAnnealing`: Initial temperature must be finite and "
                     "at most half the largest double.\"");
  }

  constexpr double kInf = std::numeric_limits<double>::infinity();
  CostScratch scratch;
  double current_cost = search_cost(space.problem, space.bounds, current, &scratch);
  std::optional<std::vector<double>> best;
  double best_cost = kInf;
  if (!std::isnan(current_cost)) {
    best = current;
    best_cost = current_cost;
  }

  std::vector<double> candidate(current.size());
  double temperature = t0;
  std::uint64_t iterations = 0;
  for (; iterations < settings.max_iterations; ++iterations) {
    if (search_interrupted(space)) return interrupted_error();
    for (std::size_t i = 0; i < current.size(); ++i) {
      candidate[i] = current[i] + interval_draw(&*streams.neighbour, -temperature, temperature);
    }
    const double candidate_cost = search_cost(space.problem, space.bounds, candidate, &scratch);
    // The acceptance draw is made whether or not it decides anything, keeping the stream in step.
    const double u = unit_draw(&*streams.acceptance);
    const bool accepted = candidate_cost < current_cost ||
                          1.0 / (1.0 + std::exp((candidate_cost - current_cost) / temperature)) > u;

    // Iteration k (from 1) ran at T0 / k; the next runs at T0 / (k + 1).
    temperature = t0 / (static_cast<double>(iterations + 1) + 1.0);

    if (accepted) {
      current.swap(candidate);
      current_cost = candidate_cost;
    }
    if (current_cost < best_cost || (current_cost == kInf && best_cost == kInf)) {
      best = current;
      best_cost = current_cost;
    }
  }

  if (!best) return fit_error(FitErrorKind::Solver, "simulated annealing found no best position");
  return SearchResult{from_solver(*best, space.bounds), iterations};
}

Result<FitOutcome> simulated_annealing_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                   const CancellationToken& cancellation) {
  AnnealingSettings settings;
  settings.initial_temperature = options.sa_initial_temperature;
  settings.max_iterations = options.sa_iterations;
  settings.seed = options.seed;
  return search_then_polish(circuit, spectrum, options.weight, cancellation,
                            [&](const SearchSpace& space) { return simulated_annealing_search(space, settings); });
}

}  // namespace corvex
