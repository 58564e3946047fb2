// Fitting many spectra with one circuit: one task per spectrum on the worker pool, then
// optional neighbour refinement along an ordered series (cycles, temperatures, ...).
#pragma once

#include <atomic>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "batch/controlled_spectrum_fit.h"
#include "batch/spectrum_fit.h"
#include "batch/spectrum_set.h"
#include "circuit/circuit.h"
#include "fit/fit_driver.h"
#include "fit/fit_outcome.h"
#include "util/cancellation.h"
#include "util/result.h"

namespace corvex {

// What is fitted: every spectrum of `spectra` with `circuit`, each from `start` with `options`.
struct BatchProblem {
  const Circuit& circuit;
  const SpectrumSet& spectra;
  FitStart start;
  FitOptions options;
  FitControls controls{};  // held parameters, limits and weighting of every fit, refits included
  bool robust = false;     // the first pass fits from the robust starts as well
  // With weighting StandardDeviations: each spectrum's own (real, imaginary) standard
  // deviations, one pair of lists per spectrum.
  std::vector<std::pair<std::vector<double>, std::vector<double>>> standard_deviations{};

  // The controls of spectrum i: the shared ones, with its standard deviations.
  FitControls controls_for(std::size_t i) const {
    FitControls out = controls;
    if (i < standard_deviations.size()) {
      out.sigma_real = standard_deviations[i].first;
      out.sigma_imaginary = standard_deviations[i].second;
    }
    return out;
  }

  // Whether fits go through the controlled fit instead of fit()'s own path.
  bool controlled() const {
    return robust || controls.constrains_parameters() ||
           (controls.weighting != ResidualWeighting::Modulus && controls.weighting != ResidualWeighting::Unit);
  }
};

struct BatchOptions {
  // Fits running at once, each on its own pool thread with its Jacobian inline; at least 1.
  std::size_t workers = 1;
  // After the first pass, refit each spectrum from the fitted values of its neighbours.
  bool refine = false;
  // Runs of neighbouring spectra, each in series order (the cycles of one cell, say); a
  // spectrum in none has no neighbours. Empty: the input order is one series.
  std::vector<std::vector<std::size_t>> series;
  // Refinement passes at most; each pass reads only the previous pass's results.
  std::size_t max_refine_passes = 4;
  // Every kept fit's standard errors, intervals and identifiability; a caller that needs only
  // the values turns them off and saves one covariance per row. Runaway verdicts still use
  // the standard errors of their own fits, so the kept fits stay the same either way.
  bool intervals = true;
};

// Where a row's kept result started.
enum class RowStart { Guess, Previous, Next };

// How a fit of one spectrum was judged beyond its cost.
struct FitVerdict {
  std::vector<bool> runaway;        // runaway_parameters of the fit, in parameter order
  double degrees_of_freedom = 0.0;  // residuals minus free parameters
  // The lowest cost any converged start of the spectrum reached, neighbour refits included;
  // NaN when none converged.
  double best_cost_any = std::numeric_limits<double>::quiet_NaN();
  // The uncertainty the verdict was judged with, when it is the one the row reports (fit()'s
  // own path): kept so the row's intervals need no second covariance.
  std::optional<FitUncertainty> uncertainty;
};

struct BatchRow {
  Result<FitOutcome> outcome;  // the kept fit, or the failure of the spectrum
  RowStart start = RowStart::Guess;
  std::string robust_start;    // the winning robust start when it was not the first one
  std::optional<FitUncertainty> uncertainty;  // of the kept fit, under the batch's controls
  FitVerdict verdict;          // of the kept fit
};

struct BatchSummary {
  std::vector<BatchRow> rows;     // one per spectrum, input order; empty when interrupted
  std::size_t refine_passes = 0;  // refinement passes run
  std::size_t refits = 0;         // fits started from a neighbour
  bool interrupted = false;       // the cancellation token stopped the batch
};

// Counts a running batch keeps for a progress display; any thread may read them.
struct BatchProgress {
  std::atomic<std::size_t> done{0};   // fits finished, spectra that failed conversion included
  std::atomic<std::size_t> total{0};  // fits planned so far; grows as refinement passes start
};

// A refit replaces a row's fit when it converged and the kept one did not; or, both converged,
// when it has no runaway value and the kept one has, unless runaway_fit_wins for the kept one;
// or the other way round when runaway_fit_wins for the refit; otherwise when it lowers the cost
// by more than a millionth.
// Rows whose start is Guess (and no robust start) are exactly what fit_spectrum gives for that spectrum alone,
// and the whole summary is the same for any number of workers. Lanes ask `cancellation`
// before each fit and the fits ask it between evaluations; once it says stop, the batch
// returns interrupted with no rows.
BatchSummary fit_batch(const BatchProblem& problem, const BatchOptions& options,
                       const CancellationToken& cancellation = no_cancellation(), BatchProgress* progress = nullptr);

// A fit that succeeded with a finite cost: it may serve a neighbour as a start.
bool is_usable_fit(const Result<FitOutcome>& outcome);

}  // namespace corvex
