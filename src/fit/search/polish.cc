// Polish of a global search: the search outcome from the statistics at its best point, a
// Levenberg-Marquardt stage from there on its own counter, and the choice between the two.
#include "fit/search/polish.h"

#include <cmath>
#include <utility>

#include "fit/lm_stage.h"

namespace corvex {

Result<FitOutcome> polish_search_result(const SearchSpace& space, const std::vector<double>& best_point,
                                        std::uint64_t iterations) {
  FitOutcome search = fit_statistics(space.circuit.nodes, best_point, true, iterations, space.problem);

  const Circuit start{rebuild_with_values(space.circuit.nodes, best_point.data()), true};
  const LmSettings settings{1e-8, 1e-8, 1e-8, 200};
  Result<FitOutcome> refined = lm_stage_from_search(start, space.spectrum, space.scheme, settings, space.problem.cancellation);
  if (!refined) return refined.take_error();

  // The stage counted on its own counter; its evaluations belong to this fit too.
  space.problem.counter.add(refined->impedance_evals);
  return choose_polished_outcome(std::move(search), std::move(refined).value(), space.problem.counter.value());
}

FitOutcome choose_polished_outcome(FitOutcome search, FitOutcome refined, std::uint64_t total_evaluations) {
  const bool refined_converged = refined.success;
  FitOutcome chosen = (std::isfinite(refined.cost) && refined.cost <= search.cost) ? std::move(refined)
                                                                                    : std::move(search);
  // A search ends on a budget, not on a convergence test: its point counts as converged
  // only when the refinement from it did.
  chosen.success = chosen.success && refined_converged;
  chosen.impedance_evals = total_evaluations;
  // A point whose cost is NaN or infinite is no fit, whichever stage produced it.
  if (!std::isfinite(chosen.cost)) chosen.success = false;
  return chosen;
}

}  // namespace corvex
