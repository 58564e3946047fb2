// The multistart Levenberg-Marquardt stage on MINPACK's lmder: nine scored starting points,
// runs in solver coordinates until a plausible success, the clamp and a frozen second pass.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "fit/fit_outcome.h"
#include "fit/objective.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

struct LmSettings {
  double ftol = 1e-8;            // relative reduction of the sum of squares that counts as converged
  double xtol = 1e-8;            // relative change of the scaled solution that counts as converged
  double gtol = 1e-8;            // residual/Jacobian-column orthogonality that counts as converged
  std::uint32_t patience = 200;  // each run may evaluate residuals max(patience,1)*(n+1) times
  // A trial step with non-finite residuals is rejected (lmder shrinks its trust region and
  // tries a shorter one) instead of ending the run there.
  bool reject_non_finite_steps = false;
};

// A physical parameter vector and its cost.
struct Candidate {
  std::vector<double> x;
  double cost;
};

// IEEE 754 totalOrder as a strict weak order: -0 before +0, NaN after +inf (before -inf
// when its sign bit is set). Candidates are sorted by it.
bool total_order_less(double a, double b);

// The nine candidates in generation order, costed, stably sorted by IEEE total order of cost.
std::vector<Candidate> candidate_starting_points(const FitProblem& problem, std::span<const double> x0,
                                                 std::span<const ParamBounds> bounds);

// The candidate of lowest finite cost, nullptr when none has one. The order of
// candidate_starting_points cannot be used for this: a NaN cost with its sign bit set sorts first.
const Candidate* cheapest_start(const std::vector<Candidate>& candidates);

// Whether a stage's final cost lies above the cheapest start's by more than two points at the
// same optimum can differ: a billionth of the start's cost plus the cost of a few ulps of
// rounding in every residual (a run from the exact optimum of exact data ends at 1e-30, not 0).
bool costlier_than_start(const FitProblem& problem, double cost, const Candidate& start);

struct LmRunResult {
  std::vector<double> x;             // final point, physical units
  bool success = false;              // lmder stopped on a convergence test
  std::uint64_t evaluations = 0;     // lmder's nfev for this run
};

// One lmder minimisation from solver point y0; frozen parameters keep their start value.
// Fails only for negative tolerances ("ftol must be >= 0", ...).
Result<LmRunResult> lm_run(const FitProblem& problem, std::span<const ParamBounds> bounds,
                           std::span<const double> y0, const std::vector<bool>& frozen,
                           const LmSettings& settings);

// The whole stage from the circuit's current values; stops with the interrupted error when
// `cancellation` asks to. When its result is costlier than the cheapest candidate (see
// costlier_than_start), that candidate is returned instead, unconverged.
Result<FitOutcome> lm_stage(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
                            const LmSettings& settings, const CancellationToken& cancellation = no_cancellation());

// The stage without its final comparison with the cheapest start, for the polish of a search,
// which compares the stage's result with the search's own point and judges convergence itself.
Result<FitOutcome> lm_stage_from_search(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
                                        const LmSettings& settings,
                                        const CancellationToken& cancellation = no_cancellation());

}  // namespace corvex
