// A fit under controls from one or several starts: each start fitted by the plain driver or
// the controlled stage, judged by plausibility and cost, and the winner's uncertainty.
#include "fit/controlled_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "fit/controlled_stage.h"
#include "fit/fit_error.h"
#include "fit/resolution_threshold.h"
#include "fit/robust_starts.h"
#include "util/quote.h"

namespace corvex {
namespace {

constexpr std::string_view kLevenbergMarquardt = "levenberg_marquardt";

struct Attempt {
  FitOutcome outcome;
  std::string label;
  bool plausible = false;
  std::optional<FitUncertainty> uncertainty;  // of a converged attempt, to judge its values by
  bool runaway = false;                       // a converged attempt with a runaway value
};

LmSettings stage_settings(const FitOptions& options, bool reject_non_finite_steps) {
  LmSettings settings{options.ftol, options.xtol, 1e-8, options.max_iterations};
  settings.reject_non_finite_steps = reject_non_finite_steps;
  return settings;
}

// The outcome of a controlled stage, with the standard errors of the uncertainty (NaN where
// a parameter has none) and the counter read last.
FitOutcome controlled_outcome(const SeriesList& circuit, const FitProblem& problem, StagePoint point) {
  FitOutcome outcome;
  outcome.circuit = Circuit{rebuild_with_values(circuit, point.x.data()), true};
  outcome.names = param_names(circuit);
  outcome.iterations = point.iterations;
  outcome.success = point.success;
  outcome.cost = point.cost;
  outcome.chi_square = point.cost + point.cost;
  outcome.values = std::move(point.x);
  outcome.impedance_evals = problem.counter.value();
  return outcome;
}

// Starts that reach the same optimum differ in the last digits of their cost; a later start
// must be better by more than that to replace an earlier one.
constexpr double kCostTieShare = 1e-9;

bool usable(const Attempt& attempt) { return attempt.outcome.success && std::isfinite(attempt.outcome.cost); }

// A converged fit beats one that did not converge; among converged fits the lowest cost wins.
// Plausibility only settles ties: an exponent on its limit of 1 or a user bound that holds is
// the constrained optimum, and a plausible point further uphill would be a worse answer.
bool improves_on(const Attempt& candidate, const std::optional<Attempt>& best) {
  if (!best) return true;
  if (usable(candidate) != usable(*best)) return usable(candidate);
  if (std::isnan(best->outcome.cost)) return !std::isnan(candidate.outcome.cost);
  const double margin = kCostTieShare * std::fabs(best->outcome.cost);
  if (candidate.outcome.cost < best->outcome.cost - margin) return true;
  return candidate.outcome.cost <= best->outcome.cost + margin && candidate.plausible && !best->plausible;
}

class StartRunner {
 public:
  StartRunner(const Circuit& circuit, const Spectrum& spectrum, const FitControls& controls,
              ResolvedControls resolved, const CancellationToken& cancellation)
      : circuit_(circuit), spectrum_(spectrum), controls_(controls), cancellation_(cancellation),
        resolved_(std::move(resolved)),
        plain_(!controls.constrains_parameters() && (controls.weighting == ResidualWeighting::Modulus ||
                                                     controls.weighting == ResidualWeighting::Unit)) {}

  // The driver for a plain fit, exactly as fit() runs it; the controlled stage otherwise,
  // which is also the variant that rejects non-finite trial steps.
  Result<Attempt> run(std::span<const double> x0, std::string label, bool tolerant,
                      const FitOptions& options) const {
    const Circuit start{rebuild_with_values(circuit_.nodes, x0.data()), true};
    Attempt attempt;
    attempt.label = std::move(label);
    if (plain_ && !tolerant) {
      Result<FitOutcome> outcome = fit_driver(options, start, spectrum_, cancellation_);
      if (!outcome) return outcome.take_error();
      attempt.outcome = std::move(outcome).value();
    } else {
      std::unique_ptr<FitProblem> problem = controlled_problem(circuit_.nodes, spectrum_, controls_, cancellation_);
      Result<StagePoint> point = controlled_lm_stage(*problem, resolved_, x0, stage_settings(options, tolerant));
      if (!point) return point.take_error();
      attempt.outcome = controlled_outcome(circuit_.nodes, *problem, std::move(point).value());
    }
    attempt.plausible = attempt.outcome.success && std::isfinite(attempt.outcome.cost) &&
                        plausible_under(resolved_, attempt.outcome.values, x0);
    return attempt;
  }

  // The uncertainty of a converged attempt and whether any of its values ran away.
  void judge(Attempt* attempt) const {
    attempt->uncertainty =
        uncertainty_of(circuit_.nodes, spectrum_, controls_, resolved_, attempt->outcome, cancellation_);
    const std::vector<bool> flags = runaway_parameters(circuit_.nodes, spectrum_, attempt->outcome.values,
                                                       attempt->uncertainty->standard_errors);
    attempt->runaway = std::find(flags.begin(), flags.end(), true) != flags.end();
  }

  const ResolvedControls& resolved() const { return resolved_; }
  bool plain() const { return plain_; }

 private:
  const Circuit& circuit_;
  const Spectrum& spectrum_;
  const FitControls& controls_;
  const CancellationToken& cancellation_;
  ResolvedControls resolved_;
  bool plain_;
};

// The circuit as given (held values put in, the rest clamped into its limits), its cost and
// no standard errors: a converged fit of no free parameter, after no iteration.
Result<ControlledFit> as_given(const SeriesList& circuit, const Spectrum& spectrum, const FitControls& controls,
                               const ResolvedControls& resolved, std::vector<double> x, std::string_view start_label,
                               const CancellationToken& cancellation) {
  enforce_controls(resolved, x);
  std::unique_ptr<FitProblem> problem = controlled_problem(circuit, spectrum, controls, cancellation);
  const Result<std::vector<double>> residuals = residual_vector(*problem, x);
  if (cancellation.stopped()) return interrupted_error();
  ControlledFit out;
  out.held.assign(x.size(), true);
  out.uncertainty = fit_uncertainty({}, problem->residual_count(), x, out.held, std::numeric_limits<double>::quiet_NaN());
  const double cost = residuals.ok() ? half_sum_of_squares(*residuals) : std::numeric_limits<double>::quiet_NaN();
  out.outcome = controlled_outcome(circuit, *problem, StagePoint{std::move(x), cost, true, 0});
  out.outcome.measured = spectrum;
  // Held values are the caller's, yet one far beyond the spectrum's scale is still flagged.
  out.runaway = runaway_parameters(circuit, spectrum, out.outcome.values, out.uncertainty.standard_errors);
  out.best_cost_any = cost;
  out.start = std::string(start_label);
  out.from_first_start = true;
  return out;
}

}  // namespace

FitUncertainty uncertainty_of(const SeriesList& circuit, const Spectrum& spectrum, const FitControls& controls,
                              const ResolvedControls& resolved, const FitOutcome& outcome,
                              const CancellationToken& cancellation) {
  std::unique_ptr<FitProblem> problem = controlled_problem(circuit, spectrum, controls, cancellation);
  // The fit's own statistics evaluated every column at these values already; on the same
  // problem with nothing held they are the free columns, and evaluating them again would
  // only repeat the same numbers.
  const bool none_held = std::find(resolved.fixed.begin(), resolved.fixed.end(), true) == resolved.fixed.end();
  FitUncertainty uncertainty =
      none_held && outcome.final_jacobian && outcome.final_jacobian->matches(*problem, outcome.values)
          ? fit_uncertainty(outcome.final_jacobian->jacobian, problem->residual_count(), outcome.values,
                            resolved.fixed, outcome.chi_square,
                            min_reciprocal_condition(outcome.final_jacobian->column_noise))
          : uncertainty_at(*problem, outcome.values, resolved.fixed, outcome.chi_square);
  // An interval reaching beyond the values the parameter can take (a CPE exponent above 1, a
  // negative resistance) would claim values no fit can have: it ends at the limit instead.
  for (std::size_t i = 0; i < uncertainty.interval_low.size() && i < resolved.limits.size(); ++i) {
    if (uncertainty.interval_low[i] < resolved.limits[i].lo) uncertainty.interval_low[i] = resolved.limits[i].lo;
    if (uncertainty.interval_high[i] > resolved.limits[i].hi) uncertainty.interval_high[i] = resolved.limits[i].hi;
  }
  return uncertainty;
}

Result<ControlledFit> fit_with_controls(const Circuit& circuit, const Spectrum& spectrum, const FitOptions& options,
                                        const FitControls& controls, bool robust, std::string_view start_label,
                                        const CancellationToken& cancellation,
                                        const std::optional<LabelledStart>& seed_start,
                                        const std::optional<LabelledStart>& data_values) {
  const bool known_method = options.method == kLevenbergMarquardt || options.method == "nelder_mead" ||
                            options.method == "particle_swarm" || options.method == "simulated_annealing" ||
                            options.method == "differential_evolution" || options.method == "basin_hopping";
  if (!known_method) return fit_error(FitErrorKind::UnknownMethod, options.method);
  Status valid = validate_fit_inputs(circuit, spectrum);
  if (!valid) return valid.take_error();
  Result<ResolvedControls> resolved = resolve_controls(circuit.nodes, controls);
  if (!resolved) return resolved.take_error();
  Status weighting = validate_weighting(controls, spectrum);
  if (!weighting) return weighting.take_error();

  const StartRunner runner(circuit, spectrum, controls, std::move(resolved).value(), cancellation);
  if (!runner.plain() && options.method != kLevenbergMarquardt) {
    return value_error("held parameters, limits and weightings other than \"modulus\" and \"unit\" need method " +
                       quoted(kLevenbergMarquardt) + ", got " + quoted(options.method));
  }

  const std::vector<double> x0 = param_values(circuit.nodes);
  // Every parameter held or pinned: a solver handed zero free columns has nothing to work on.
  if (!runner.resolved().anything_free()) return as_given(circuit.nodes, spectrum, controls, runner.resolved(), x0,
                                                       start_label, cancellation);
  // `best` ranks every start as if no value could run away: it decides whether the tolerant
  // and global runs are needed. The converged starts are also ranked apart by whether a value
  // ran away, and those two winners meet at the end.
  std::optional<Attempt> best;
  std::optional<Attempt> best_sound;
  std::optional<Attempt> best_runaway;
  double best_cost_any = std::numeric_limits<double>::quiet_NaN();
  auto consider = [&](Result<Attempt> attempt) -> Status {
    if (!attempt) return attempt.take_error();
    if (usable(*attempt)) {
      runner.judge(&*attempt);
      if (!(attempt->outcome.cost >= best_cost_any)) best_cost_any = attempt->outcome.cost;
      std::optional<Attempt>& pool = attempt->runaway ? best_runaway : best_sound;
      if (improves_on(*attempt, pool)) pool = *attempt;
    }
    if (improves_on(*attempt, best)) best = std::move(attempt).value();
    return {};
  };
  Status status = consider(runner.run(x0, std::string(start_label), false, options));
  if (!status) return status.take_error();

  if (robust && options.method == kLevenbergMarquardt) {
    // Without non-finite trial steps the tolerant variant repeats the first start's runs, so
    // it only runs when that start did not end plausibly.
    if (!best->plausible && !(status = consider(runner.run(x0, "tolerant", true, options)))) {
      return status.take_error();
    }
    if (data_values && !(status = consider(runner.run(data_values->x, data_values->label, false, options)))) {
      return status.take_error();
    }
    if (seed_start && !(status = consider(runner.run(seed_start->x, seed_start->label, false, options)))) {
      return status.take_error();
    }
    for (const LabelledStart& start : derived_starts(circuit.nodes, seed_start ? seed_start->x : x0)) {
      if (!(status = consider(runner.run(start.x, start.label, false, options)))) return status.take_error();
    }
    if (!usable(*best)) {
      // Basin hopping ignores held values and limits; the controlled stage from its point
      // restores them.
      FitOptions search = options;
      search.method = "basin_hopping";
      search.seed = options.seed.value_or(0);
      const Circuit from{rebuild_with_values(circuit.nodes, best->outcome.values.data()), true};
      Result<FitOutcome> global = fit_driver(search, from, spectrum, cancellation);
      if (!global) return global.take_error();
      if (runner.plain()) {
        Attempt attempt{std::move(global).value(), "global", false, std::nullopt, false};
        attempt.plausible = attempt.outcome.success && std::isfinite(attempt.outcome.cost) &&
                            plausible_under(runner.resolved(), attempt.outcome.values, x0);
        consider(std::move(attempt));
      } else if (!(status = consider(runner.run(global->values, "global", false, options)))) {
        return status.take_error();
      }
    }
  }

  Attempt& winner = best_sound && best_runaway
                        ? (runaway_fit_wins(best_sound->outcome.cost, best_runaway->outcome.cost,
                                            best_sound->uncertainty->degrees_of_freedom)
                               ? *best_runaway
                               : *best_sound)
                        : best_sound ? *best_sound : best_runaway ? *best_runaway : *best;
  ControlledFit out;
  out.uncertainty = winner.uncertainty ? std::move(*winner.uncertainty)
                                       : uncertainty_of(circuit.nodes, spectrum, controls, runner.resolved(),
                                                        winner.outcome, cancellation);
  out.runaway = runaway_parameters(circuit.nodes, spectrum, winner.outcome.values, out.uncertainty.standard_errors);
  // A point where every free value ran away (an arc collapsed onto its floor, the rest
  // unresolved) is no fit of the model, whatever the solver's convergence tests said.
  bool all_ran_away = true;
  for (std::size_t i = 0; i < out.runaway.size(); ++i) {
    if (!runner.resolved().fixed[i] && !out.runaway[i]) all_ran_away = false;
  }
  if (all_ran_away) winner.outcome.success = false;
  out.best_cost_any = best_cost_any;
  out.outcome = std::move(winner.outcome);
  // Starts solved by the controlled stage build their outcome without the driver, which is
  // where a result is given the spectrum it was fitted to; a result must carry it to be drawn or saved.
  out.outcome.measured = spectrum;
  out.from_first_start = winner.label == start_label;
  out.start = std::move(winner.label);
  out.held = runner.resolved().fixed;
  if (cancellation.stopped()) return interrupted_error();
  if (!runner.plain()) {
    std::vector<double> errors(out.outcome.values.size(), std::numeric_limits<double>::quiet_NaN());
    bool any = false;
    for (std::size_t i = 0; i < errors.size(); ++i) {
      if (out.uncertainty.standard_errors[i]) {
        errors[i] = *out.uncertainty.standard_errors[i];
        any = true;
      }
    }
    if (any) out.outcome.standard_errors = std::move(errors);
  }
  return out;
}

}  // namespace corvex
