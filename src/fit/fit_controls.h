// What a caller can impose on a fit beyond its method: parameters held at known values,
// narrower bounds, and an error model for the residuals; resolved against one circuit.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "circuit/circuit.h"
#include "elements/element.h"
#include "fit/objective.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// How residuals are divided: the two schemes of fit(), each part by its own measured
// magnitude, or by per-point standard deviations the caller measured.
enum class ResidualWeighting {
  Modulus,             // both parts by max(|Z_i|, 1e-30)
  Unit,                // no weighting
  Proportional,        // real part by max(|Re Z_i|, 1e-30), imaginary part by max(|Im Z_i|, 1e-30)
  StandardDeviations,  // real part by sigma_real[i], imaginary part by sigma_imaginary[i]
};

struct FitControls {
  std::vector<std::pair<std::string, double>> fixed;        // name -> value held exactly, caller's order
  std::vector<std::pair<std::string, ParamBounds>> bounds;  // name -> limits, intersected with the catalogue's
  ResidualWeighting weighting = ResidualWeighting::Modulus;
  std::vector<double> sigma_real;       // StandardDeviations only: one per point, finite and > 0
  std::vector<double> sigma_imaginary;  // StandardDeviations only: one per point, finite and > 0

  bool constrains_parameters() const { return !fixed.empty() || !bounds.empty(); }
};

// The controls as per-parameter facts of one circuit, in parameter order.
struct ResolvedControls {
  std::vector<bool> fixed;                // held at its value in every start, run and candidate
  std::vector<double> fixed_values;       // the held value where fixed, NaN elsewhere
  std::vector<ParamBounds> limits;        // the catalogue's bounds narrowed by the caller's
  std::vector<ParamBounds> coordinates;   // the catalogue's bounds: the solver's change of coordinates
  std::vector<bool> limited;              // finite upper limit: candidates and plausibility as bounded
  std::vector<bool> reachable;            // a run can cross a limit: clamped values are held and re-solved

  // Some parameter is neither held nor pinned by limits with nothing between them: there is
  // something to solve for.
  bool anything_free() const;
};

// Checks names (unknown ones get the closest-name suggestion and the table of valid names),
// values (a held one must lie within the catalogue's range) and limits; limits that would
// widen the catalogue's bounds are cut to them, and limits with nothing left between them
// are refused.
Result<ResolvedControls> resolve_controls(const SeriesList& circuit, const FitControls& controls);

// Checks the standard deviations against the spectrum: one per point, finite and positive.
Status validate_weighting(const FitControls& controls, const Spectrum& spectrum);

// The fit problem of the spectrum under the controls' weighting (standard deviations
// already checked by validate_weighting).
std::unique_ptr<FitProblem> controlled_problem(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitControls& controls,
                                               const CancellationToken& cancellation = no_cancellation());

// x with held values put in and every other value clamped into its limits (NaN stays NaN).
void enforce_controls(const ResolvedControls& controls, std::span<double> x);

}  // namespace corvex
