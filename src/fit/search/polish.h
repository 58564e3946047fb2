// The last step of the Nelder-Mead, particle swarm, simulated annealing and differential
// evolution searches: statistics at the search's best point, then a Levenberg-Marquardt refinement.
#pragma once

#include <cstdint>
#include <vector>

#include "fit/fit_outcome.h"
#include "fit/search/search_space.h"
#include "util/result.h"

namespace corvex {

// Refines `best_point` (physical coordinates) with the fixed-setting Levenberg-Marquardt
// stage and returns the better of the search and refinement outcomes. `iterations` is the
// search's own iteration figure. A failing refinement fails the fit.
Result<FitOutcome> polish_search_result(const SearchSpace& space, const std::vector<double>& best_point,
                                        std::uint64_t iterations);

// The choice rule of the polish: the refinement wins when its cost is finite and not above
// the search's. The result reports `total_evaluations`, and success only with a finite cost
// and a converged refinement, whichever point is kept.
FitOutcome choose_polished_outcome(FitOutcome search, FitOutcome refined, std::uint64_t total_evaluations);

// The shape every polished method shares: prepare the search space from the fit inputs, run
// `search` on it (returning a Result<SearchResult>), then polish its best point.
template <class Search>
Result<FitOutcome> search_then_polish(const Circuit& circuit, const Spectrum& spectrum, WeightScheme weight,
                                      const CancellationToken& cancellation, Search search) {
  auto prepared = prepare_search(circuit, spectrum, weight, cancellation);
  if (!prepared) return prepared.take_error();
  auto found = search(**prepared);
  if (!found) return found.take_error();
  return polish_search_result(**prepared, found->best_point, found->iterations);
}

}  // namespace corvex
