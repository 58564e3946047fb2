// The Levenberg-Marquardt stage with held parameters and narrowed limits: candidates and runs
// in the plain stage's coordinates, every point clamped into its limits, then re-solves with
// the parameters on a limit held until the cost stops falling.
#include "fit/controlled_stage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "fit/solver_coordinates.h"

namespace corvex {
namespace {

constexpr double kOpenBoundFactors[] = {3.0, 0.3333333333333333, 8.0, 0.125};
constexpr double kLimitedFractions[] = {0.2, 0.4, 0.6, 0.8};
// Limits at least this many times apart are spread geometrically: arithmetic fractions of
// (1e-12, 10) would all sit in the top decade.
constexpr double kGeometricRatio = 100.0;

double cost_at(const FitProblem& problem, std::span<const double> x) {
  const Result<std::vector<double>> r = residual_vector(problem, x);
  return r.ok() ? half_sum_of_squares(*r) : std::numeric_limits<double>::quiet_NaN();
}

bool treated_as_bounded(const ResolvedControls& controls, std::size_t i) {
  return !is_open_bound(controls.coordinates[i]) || controls.limited[i];
}

double fraction_of_limits(const ParamBounds& b, double fraction) {
  if (b.lo > 0.0 && b.hi / b.lo >= kGeometricRatio) return b.lo * std::pow(b.hi / b.lo, fraction);
  return b.lo + fraction * (b.hi - b.lo);
}

// Held parameters get identity coordinates, so their value reaches the residuals unrounded.
std::vector<ParamBounds> solver_bounds(const ResolvedControls& controls) {
  std::vector<ParamBounds> out = controls.coordinates;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (controls.fixed[i]) out[i] = {controls.fixed_values[i], controls.fixed_values[i]};
  }
  return out;
}

std::vector<Candidate> controlled_candidates(const FitProblem& problem, const ResolvedControls& controls,
                                             const std::vector<double>& start) {
  const std::size_t n = start.size();
  std::vector<Candidate> candidates;
  candidates.reserve(9);
  candidates.push_back({start, 0.0});
  for (const double factor : kOpenBoundFactors) {
    std::vector<double> x = start;
    for (std::size_t i = 0; i < n; ++i) {
      if (!controls.fixed[i] && !treated_as_bounded(controls, i)) x[i] = factor * start[i];
    }
    candidates.push_back({std::move(x), 0.0});
  }
  for (const double fraction : kLimitedFractions) {
    std::vector<double> x = start;
    for (std::size_t i = 0; i < n; ++i) {
      if (!controls.fixed[i] && treated_as_bounded(controls, i)) x[i] = fraction_of_limits(controls.limits[i], fraction);
    }
    candidates.push_back({std::move(x), 0.0});
  }
  for (Candidate& candidate : candidates) {
    enforce_controls(controls, candidate.x);
    candidate.cost = cost_at(problem, candidate.x);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return total_order_less(a.cost, b.cost); });
  return candidates;
}

// Free parameters whose clamped value sits on a limit a run can cross, plus the held ones.
std::vector<bool> held_on_limits(const ResolvedControls& controls, std::span<const double> x) {
  std::vector<bool> held = controls.fixed;
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (held[i] || !controls.reachable[i]) continue;
    const ParamBounds& b = controls.limits[i];
    held[i] = !(x[i] > b.lo) || x[i] >= b.hi;
  }
  return held;
}

// One run from `start` with `held` parameters kept, ending within every limit. A run that
// crosses a limit has converged to a point the limits exclude, and clamping it gives no
// optimum of anything (from there a re-solve can slide into a collapsed arc): the parameters
// it pushed across are held on the limit they crossed and the rest re-solved from `start`,
// until a run ends within the limits. Each round holds one more parameter, so there are at
// most n rounds.
Result<StagePoint> run_within_limits(const FitProblem& problem, const ResolvedControls& controls,
                                     const std::vector<ParamBounds>& coordinates, std::vector<double> start,
                                     std::vector<bool> held, const LmSettings& settings) {
  StagePoint point;
  for (;;) {
    Result<LmRunResult> run = lm_run(problem, coordinates, to_solver(start, coordinates), held, settings);
    if (!run) return run.take_error();
    point.iterations += run->evaluations;
    std::vector<double> x = run->x;
    enforce_controls(controls, x);
    bool crossed = false;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (held[i] || std::isnan(run->x[i]) || x[i] == run->x[i]) continue;
      held[i] = true;
      start[i] = x[i];
      crossed = true;
    }
    if (!crossed) {
      point.cost = cost_at(problem, x);
      point.success = run->success;
      point.x = std::move(x);
      return point;
    }
  }
}

}  // namespace

bool plausible_under(const ResolvedControls& controls, std::span<const double> x, std::span<const double> x0) {
  const std::size_t n = std::min({controls.fixed.size(), x.size(), x0.size()});
  for (std::size_t i = 0; i < n; ++i) {
    if (controls.fixed[i]) continue;
    const ParamBounds& b = controls.limits[i];
    if (treated_as_bounded(controls, i)) {
      const double margin = 1e-6 * (b.hi - b.lo);
      if (!(std::fabs(x[i] - b.lo) > margin) || !(std::fabs(b.hi - x[i]) > margin)) return false;
      continue;
    }
    if (!(x[i] > 100.0 * controls.coordinates[i].lo)) return false;
    if (b.lo > controls.coordinates[i].lo && !(x[i] - b.lo > 1e-6 * std::fabs(b.lo))) return false;
    const double ratio = x[i] / std::fmax(std::fabs(x0[i]), 1e-300);
    if (!std::isfinite(ratio) || !(ratio >= 1e-6) || !(ratio < 1e6)) return false;
  }
  return true;
}

Result<StagePoint> controlled_lm_stage(const FitProblem& problem, const ResolvedControls& controls,
                                       std::span<const double> x0_in, const LmSettings& settings) {
  std::vector<double> x0(x0_in.begin(), x0_in.end());
  x0.resize(controls.fixed.size(), std::numeric_limits<double>::quiet_NaN());
  enforce_controls(controls, x0);
  const std::vector<ParamBounds> coordinates = solver_bounds(controls);

  StagePoint out;
  std::optional<StagePoint> best;
  const std::vector<Candidate> candidates = controlled_candidates(problem, controls, x0);
  for (const Candidate& candidate : candidates) {
    Result<StagePoint> run = run_within_limits(problem, controls, coordinates, candidate.x, controls.fixed, settings);
    if (!run) return run.take_error();
    out.iterations += run->iterations;
    const double cost = run->cost;
    const bool success = run->success;
    const bool stop = success && std::isfinite(cost) && plausible_under(controls, run->x, x0);
    const bool better = !best || (success && !best->success) || (cost < best->cost && success == best->success);
    if (better) best = StagePoint{std::move(run->x), cost, success, 0};
    if (stop) break;
  }

  // Active set: hold what sits on a limit, re-solve the rest, and keep going while the
  // set grows and the cost falls. Each pass holds at least one more parameter, so there
  // are at most n passes.
  std::vector<bool> held = controls.fixed;
  for (std::size_t pass = 0; pass < held.size(); ++pass) {
    std::vector<bool> next = held_on_limits(controls, best->x);
    for (std::size_t i = 0; i < next.size(); ++i) next[i] = next[i] || held[i];
    if (next == held) break;
    held = std::move(next);
    Result<StagePoint> run = run_within_limits(problem, controls, coordinates, best->x, held, settings);
    if (!run) return run.take_error();
    out.iterations += run->iterations;
    if (!(run->success && run->cost < best->cost)) break;
    best = StagePoint{std::move(run->x), run->cost, true, 0};
  }
  // As in the plain stage: never a point above the cheapest start, nor success without
  // improving on it.
  const Candidate* start = cheapest_start(candidates);
  if (start && costlier_than_start(problem, best->cost, *start)) best = StagePoint{start->x, start->cost, false, 0};
  out.x = std::move(best->x);
  out.cost = best->cost;
  out.success = best->success;
  return out;
}

}  // namespace corvex
