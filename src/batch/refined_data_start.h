// The start fit(start="data") begins from: the family of starts read off the data, the
// nearest of each reading run briefly by Levenberg-Marquardt, the lowest end kept.
#pragma once

#include <vector>

#include "circuit/circuit.h"
#include "fit/fit_controls.h"
#include "fit/fit_driver.h"
#include "util/cancellation.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

// Held parameters and limits (already resolved for the circuit, standard deviations already
// checked), with the controls they came from, whose weighting the brief runs then use.
struct BriefRunControls {
  const FitControls& controls;
  const ResolvedControls& resolved;
};

// Values in parameter order: of data_start_candidates, the nearest of each reading and then
// the nearest others, twelve in all (a repeat of another value for value runs once), each
// run by a short Levenberg-Marquardt fit under
// `options`' weights (on the worker pool); the end of the run of lowest cost (ties: the
// nearer start), the same for any thread count. When that end has driven a diffusion
// element to nothing, the element is read again (revived_diffusion) and run once more,
// kept if it ends lower. The start's
// distance alone often prefers the wrong assignment of peaks to arcs, a short run does not.
// Fails for a spectrum without a usable point, or with the interrupted error.
Result<std::vector<double>> refined_data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitOptions& options,
                                               const CancellationToken& cancellation = no_cancellation());

// The same under held parameters and limits: every member gets the held values and is
// clamped into the limits before it runs, as the controlled fit treats its start, and runs
// the controlled stage under the controls' weighting, so the member chosen is the best for
// the problem the final fit solves; the free problem's choice, so held and clamped, runs
// as one more member. With nothing free to run, the nearest member so controlled.
Result<std::vector<double>> refined_data_start(const SeriesList& circuit, const Spectrum& spectrum,
                                               const FitOptions& options, const BriefRunControls& controls,
                                               const CancellationToken& cancellation = no_cancellation());

// The members refined_data_start runs briefly, in the family's order, before any control
// applies (repeats included). Fails for a spectrum without a usable point.
Result<std::vector<std::vector<double>>> brief_run_members(const SeriesList& circuit, const Spectrum& spectrum);

}  // namespace corvex
