// The multistart Levenberg-Marquardt stage under caller controls: held parameters stay out
// of the solver, narrowed limits always hold, and the runs end in an active-set pass.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "fit/fit_controls.h"
#include "fit/lm_stage.h"
#include "fit/objective.h"
#include "util/result.h"

namespace corvex {

struct StagePoint {
  std::vector<double> x;          // physical values, held ones exact, all within their limits
  double cost = 0.0;              // 0.5 * sum r^2 at x
  bool success = false;           // the run that produced x converged
  std::uint64_t iterations = 0;   // residual evaluations reported by every solver run made
};

// The same scored candidates, runs until a plausible success and best-run rule as the plain
// stage, with these differences: held parameters keep their value in every candidate and
// run (a zero Jacobian column, identity coordinates); a run that ends beyond a limit counts
// only through its re-solve from the same candidate with the parameters it pushed across held
// on their limits; parameters on a limit are then held there and the rest re-solved,
// repeatedly, while that lowers the cost.
Result<StagePoint> controlled_lm_stage(const FitProblem& problem, const ResolvedControls& controls,
                                       std::span<const double> x0, const LmSettings& settings);

// The stage's plausibility test under the controls: no free parameter with a finite upper
// limit within a millionth of its range from a limit; free positive parameters above 100
// times the catalogue's lower bound, clear of a raised lower limit, and within six decades
// of x0.
bool plausible_under(const ResolvedControls& controls, std::span<const double> x, std::span<const double> x0);

}  // namespace corvex
