// One fit under caller controls, optionally from several deterministic starts, with the
// uncertainty of every fitted value: what the batch's per-spectrum task and the single-fit
// entry run.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fit/fit_controls.h"
#include "fit/fit_driver.h"
#include "fit/fit_outcome.h"
#include "fit/fit_uncertainty.h"
#include "fit/robust_starts.h"
#include "fit/runaway_values.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

struct ControlledFit {
  FitOutcome outcome;           // the winning start's fit; its counts are that start's alone
  FitUncertainty uncertainty;   // at the outcome's values, under the controls' weighting
  std::string start;            // label of the winning start
  bool from_first_start = true; // the winner is the first start (labelled start_label)
  std::vector<bool> held;       // the parameters the caller held, in parameter order
  std::vector<bool> runaway;    // the outcome's runaway values (runaway_parameters), in parameter order
  // The lowest cost any converged start reached; NaN when none converged.
  double best_cost_any = std::numeric_limits<double>::quiet_NaN();
};

// The uncertainty of a fitted outcome of `circuit` under the controls (resolved from them):
// the Jacobian of the free parameters at its values, on the controls' weighting; intervals
// are cut to the limits (the catalogue's range narrowed by the caller's bounds).
FitUncertainty uncertainty_of(const SeriesList& circuit, const Spectrum& spectrum, const FitControls& controls,
                              const ResolvedControls& resolved, const FitOutcome& outcome,
                              const CancellationToken& cancellation = no_cancellation());

// Fits `circuit` (carrying its starting values) to the spectrum.
// - Without held parameters, limits or other weightings than the two schemes, the first
//   start runs the fit driver exactly as fit() does, so its outcome is fit()'s.
// - Otherwise the method must be "levenberg_marquardt" and the controlled stage runs.
// - With `robust`, and method "levenberg_marquardt", the same stage also runs from the
//   derived starts, and, when the first start did not end plausibly, the variant that
//   rejects non-finite trial steps from the first start ("tolerant"); when none of these
//   converges, a basin-hopping search seeded with options.seed (0 when absent) runs from the
//   best of them ("global"). A converged result beats one that did not converge; a converged
//   result with no runaway value beats one with a runaway value unless runaway_fit_wins says
//   the latter's lower cost is more than noise; otherwise the lowest cost wins: a later start
//   must beat an earlier one by more than a billionth of its cost, and a plausible point wins
//   a tie. A winner whose every free value ran away is reported as not converged.
// With `robust`, `data_values` (when given: a start read off the spectrum) runs after the
// tolerant variant, then `seed_start` (when given) before the derived starts, which then
// come from its values instead of the first start's.
// The first start is labelled `start_label`. Errors: the driver's (unknown method first),
// then the controls' (names, values, limits, standard deviations).
// A stop asked by `cancellation` ends the fit with the interrupted error.
Result<ControlledFit> fit_with_controls(const Circuit& circuit, const Spectrum& spectrum, const FitOptions& options,
                                        const FitControls& controls, bool robust, std::string_view start_label,
                                        const CancellationToken& cancellation = no_cancellation(),
                                        const std::optional<LabelledStart>& seed_start = std::nullopt,
                                        const std::optional<LabelledStart>& data_values = std::nullopt);

}  // namespace corvex
