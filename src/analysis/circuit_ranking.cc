// Circuit ranking: a guess from the carried network of each topology, one Levenberg-Marquardt
// run from it and one from the data's values where that can change the fit (or the full stage
// from them and the robust starts), and information criteria of the weighted fit,
// AICc = n ln(RSS/n) + 2k + 2k(k+1)/(n-k-1) and BIC = n ln(RSS/n) + k ln n with n = 2N residuals.
#include "analysis/circuit_ranking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "fit/controlled_fit.h"
#include "fit/fit_driver.h"
#include "fit/fit_error.h"
#include "fit/lm_stage.h"
#include "fit/solver_coordinates.h"
#include "guess/guess_parameters.h"

namespace corvex {

namespace {

// A bounded parameter this close to a bound (share of its range), or an open-bound one this
// close to its lower bound (factor), counts as sitting on it: the margins by which the
// Levenberg-Marquardt stage judges an end point implausible.
constexpr double kBoundedMargin = 1e-6;
constexpr double kOpenBoundFactor = 100.0;

Result<FitOutcome> single_run(const Circuit& start, const Spectrum& spectrum, const RankingOptions& options,
                              const CancellationToken& cancellation) {
  if (Status valid = validate_fit_inputs(start, spectrum); !valid) return valid.take_error();
  const FitProblem problem(start.nodes, spectrum, options.weight, cancellation);
  const std::vector<ParamBounds> bounds = param_bounds(start.nodes);
  const std::vector<double> x0 = param_values(start.nodes);
  LmSettings settings;
  settings.patience = options.patience;
  Result<LmRunResult> run = lm_run(problem, bounds, to_solver(x0, bounds), std::vector<bool>(x0.size(), false), settings);
  if (!run) return run.take_error();
  std::uint64_t evaluations = run->evaluations;
  std::vector<double> x = std::move(run->x);
  bool success = run->success;

  // As the full stage does: a bounded parameter that ended on its bound (a CPE exponent at 1
  // for an ideal capacitor, say) is frozen there and the others are solved once more, so
  // that a topology nesting a simpler one fits at least as well as that one.
  std::vector<bool> frozen(x.size(), false);
  bool any_frozen = false;
  for (std::size_t i = 0; i < x.size() && i < bounds.size(); ++i) {
    x[i] = std::min(std::max(x[i], bounds[i].lo), bounds[i].hi);
    frozen[i] = std::isfinite(bounds[i].hi) && !(x[i] > bounds[i].lo && x[i] < bounds[i].hi);
    any_frozen = any_frozen || frozen[i];
  }
  if (any_frozen && !cancellation.stopped()) {
    Result<std::vector<double>> before = residual_vector(problem, x);
    Result<LmRunResult> again = lm_run(problem, bounds, to_solver(x, bounds), frozen, settings);
    if (!before || !again) return before ? again.take_error() : before.take_error();
    evaluations += again->evaluations;
    Result<std::vector<double>> after = residual_vector(problem, again->x);
    if (!after) return after.take_error();
    if (again->success && half_sum_of_squares(*after) < half_sum_of_squares(*before)) {
      x = std::move(again->x);
      success = true;
    }
  }
  if (cancellation.stopped()) return interrupted_error();
  FitOutcome outcome = fit_statistics(start.nodes, std::move(x), success, evaluations, problem);
  outcome.measured = spectrum;
  return outcome;
}

// The chi-square that rounding of the data alone would leave: each weighted residual at one
// ulp of its measured value. An exact fit scores as this, so that its criteria stay finite
// and compare with the other candidates by their parameter counts.
double rounding_chi_square(const FitOutcome& out, const RankingOptions& options) {
  const FitProblem problem(out.circuit.nodes, out.measured, options.weight);
  double floor = 0.0;
  for (std::size_t i = 0; i < problem.point_count(); ++i) {
    const double size = std::numeric_limits<double>::epsilon() *
                        std::hypot(problem.measured[i].re, problem.measured[i].im);
    const double re = size / problem.weights[i], im = size / problem.imaginary_weights[i];
    floor += re * re + im * im;
  }
  return floor;
}

// Scores the fit, or turns it into a failure when its chi-square gives no finite criterion
// (impedances far outside what the parameter bounds can describe, say).
void score(RankedFit* fit, std::size_t points, const RankingOptions& options) {
  const FitOutcome& out = *fit->outcome;
  const double n = static_cast<double>(2 * points);
  const double k = static_cast<double>(out.values.size());
  const double fit_term = n * std::log(std::max(out.chi_square, rounding_chi_square(out, options)) / n);
  if (!std::isfinite(fit_term)) {
    fit->error = value_error(std::isfinite(out.chi_square)
                                 ? "the fit's chi-square is too small for a finite information criterion"
                                 : "the fit ended without a finite chi-square for these impedances");
    fit->outcome.reset();
    return;
  }
  fit->aicc = n - k - 1.0 > 0.0 ? fit_term + 2.0 * k + 2.0 * k * (k + 1.0) / (n - k - 1.0)
                                : std::numeric_limits<double>::infinity();
  fit->bic = fit_term + k * std::log(n);

  const std::vector<ParamBounds> bounds = param_bounds(out.circuit.nodes);
  fit->at_bound.assign(out.values.size(), false);
  fit->not_identifiable.assign(out.values.size(), true);
  for (std::size_t i = 0; i < out.values.size() && i < bounds.size(); ++i) {
    const double x = out.values[i];
    const ParamBounds b = bounds[i];
    fit->at_bound[i] = std::isfinite(b.hi) ? !(x - b.lo > kBoundedMargin * (b.hi - b.lo) &&
                                               b.hi - x > kBoundedMargin * (b.hi - b.lo))
                                           : !(x > kOpenBoundFactor * b.lo);
    if (out.standard_errors) {
      const double relative = (*out.standard_errors)[i] / std::fabs(x);
      fit->not_identifiable[i] = !(relative <= options.identifiability_limit);
    }
  }
}

Result<FitOutcome> single_run_from(const Circuit& candidate, std::span<const double> values, const Spectrum& spectrum,
                                   const RankingOptions& options, const CancellationToken& cancellation) {
  const Circuit start{rebuild_with_values(candidate.nodes, values.data()), true};
  return single_run(start, spectrum, options, cancellation);
}

// Replaces *kept by `other` when other succeeded with a finite chi-square and *kept did not
// succeed or costs more; whether it did.
bool keep_cheaper(Result<FitOutcome>* kept, Result<FitOutcome> other) {
  const bool sound = other && other->success && std::isfinite(other->chi_square);
  if (!sound || (*kept && (*kept)->success && (*kept)->chi_square <= other->chi_square)) return false;
  *kept = std::move(other);
  return true;
}

// Whether the data's values start below where the guess's fit ended (or that fit failed):
// most runs from a costlier start end in the guess fit's minimum, and the rest are found by
// fits_to_refit_from_data.
bool data_start_cheaper(const Circuit& candidate, const Spectrum& spectrum, const RankingOptions& options,
                        std::span<const double> data_values, const Result<FitOutcome>& outcome) {
  if (!outcome || !outcome->success || !std::isfinite(outcome->cost)) return true;
  const FitProblem problem(candidate.nodes, spectrum, options.weight);
  Result<std::vector<double>> start = residual_vector(problem, data_values);
  return !start || half_sum_of_squares(*start) < outcome->cost;
}

}  // namespace

void refit_from_data(RankedFit* fit, const Spectrum& spectrum, const Circuit& candidate, const RankingOptions& options,
                     std::span<const double> data_values, const CancellationToken& cancellation) {
  if (fit->data_tried || data_values.size() != parameter_count(candidate.nodes) || cancellation.stopped()) return;
  fit->data_tried = true;
  Result<FitOutcome> outcome = fit->outcome ? Result<FitOutcome>(std::move(*fit->outcome))
                                            : Result<FitOutcome>(fit->error.value_or(value_error("no fit")));
  if (!keep_cheaper(&outcome, single_run_from(candidate, data_values, spectrum, options, cancellation))) {
    if (outcome) fit->outcome = std::move(outcome).value();
    return;
  }
  fit->from_data = true;
  fit->error.reset();
  fit->outcome = std::move(outcome).value();
  score(fit, spectrum.frequencies.size(), options);
}

std::vector<std::size_t> fits_to_refit_from_data(std::span<const RankedFit> fits) {
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < fits.size(); ++i) {
    if (fits[i].data_tried) continue;
    bool suspicious = !fits[i].outcome || !fits[i].outcome->success;
    if (!suspicious && std::find(fits[i].at_bound.begin(), fits[i].at_bound.end(), true) != fits[i].at_bound.end()) continue;
    for (std::size_t j = 0; j < fits.size() && !suspicious; ++j) {
      suspicious = fits[j].outcome && fits[j].outcome->success &&
                   fits[j].outcome->values.size() < fits[i].outcome->values.size() &&
                   fits[j].outcome->chi_square <= fits[i].outcome->chi_square;
    }
    if (suspicious) chosen.push_back(i);
  }
  return chosen;
}

RankedFit fit_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                        const RankingOptions& options, const CancellationToken& cancellation,
                        const GuessFeatures* features) {
  return fit_candidate(spectrum, candidate, index, options, std::span<const double>(), cancellation, features);
}

RankedFit fit_candidate(const Spectrum& spectrum, const Circuit& candidate, std::size_t index,
                        const RankingOptions& options, std::span<const double> data_values,
                        const CancellationToken& cancellation, const GuessFeatures* features) {
  RankedFit fit;
  fit.candidate = index;
  Circuit start = candidate;
  Result<std::vector<double>> guess = features ? guess_from_features(candidate.nodes, spectrum, *features)
                                               : guess_parameters(candidate.nodes, spectrum, std::nullopt);
  if (guess) {
    Result<Circuit> with_guess = with_values(candidate, *guess);
    if (!with_guess) {
      fit.error = with_guess.take_error();
      return fit;
    }
    start = std::move(with_guess).value();
    fit.guessed = true;
  }
  const bool use_data = data_values.size() == parameter_count(candidate.nodes);
  Result<FitOutcome> outcome = [&]() -> Result<FitOutcome> {
    if (!options.thorough) return single_run(start, spectrum, options, cancellation);
    FitOptions fit_options;
    fit_options.weight = options.weight;
    fit_options.max_iterations = options.patience;
    FitControls controls;
    controls.weighting = options.weight == WeightScheme::Unit ? ResidualWeighting::Unit : ResidualWeighting::Modulus;
    std::optional<LabelledStart> from_data;
    if (use_data) from_data = LabelledStart{"data", std::vector<double>(data_values.begin(), data_values.end())};
    Result<ControlledFit> controlled = fit_with_controls(start, spectrum, fit_options, controls, /*robust=*/true, "guess",
                                                         cancellation, std::nullopt, from_data);
    if (!controlled) return controlled.take_error();
    fit.data_tried = use_data;
    fit.from_data = controlled->start == "data";
    return std::move(controlled->outcome);
  }();
  // A guess can sit in the basin of a worse minimum (an arc taken for another): a single run
  // from the data's values as well, the cheaper successful one kept, the guess's on a tie.
  if (use_data && !options.thorough && !cancellation.stopped() &&
      (!options.data_start_when_cheaper || data_start_cheaper(candidate, spectrum, options, data_values, outcome))) {
    fit.data_tried = true;
    fit.from_data = keep_cheaper(&outcome, single_run_from(candidate, data_values, spectrum, options, cancellation));
  }
  if (!outcome) {
    fit.error = outcome.take_error();
    return fit;
  }
  fit.outcome = std::move(outcome).value();
  score(&fit, spectrum.frequencies.size(), options);
  return fit;
}

void score_ranked_fit(RankedFit* fit, std::size_t points, const RankingOptions& options) {
  score(fit, points, options);
}

std::vector<std::size_t> ranking_order(const std::vector<RankedFit>& fits, bool by_bic) {
  std::vector<std::size_t> order(fits.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  auto key = [&](std::size_t i) {
    if (!fits[i].outcome) return std::numeric_limits<double>::infinity();
    const double value = by_bic ? fits[i].bic : fits[i].aicc;
    return std::isnan(value) ? std::numeric_limits<double>::infinity() : value;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const bool failed_a = !fits[a].outcome, failed_b = !fits[b].outcome;
    if (failed_a != failed_b) return failed_b;
    return key(a) < key(b);
  });
  if (by_bic || order.empty() || !std::isfinite(key(order.front()))) return order;
  // Among the fits within the margin of the best AICc, the one with the fewest parameters
  // (the better AICc on equal counts) moves to the front; the rest keep their AICc order.
  const double best = key(order.front());
  std::size_t chosen = 0;
  for (std::size_t r = 1; r < order.size() && key(order[r]) <= best + kAiccParsimonyMargin; ++r) {
    if (fits[order[r]].outcome->values.size() < fits[order[chosen]].outcome->values.size()) chosen = r;
  }
  std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(chosen),
              order.begin() + static_cast<std::ptrdiff_t>(chosen) + 1);
  return order;
}

}  // namespace corvex
