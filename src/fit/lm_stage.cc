// The multistart Levenberg-Marquardt stage: nine scored starting points, MINPACK lmder runs in
// solver coordinates until a plausible success, the clamp, a frozen pass, never above the start.
#include "fit/lm_stage.h"

#include <cminpack.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

#include "fit/fit_error.h"
#include "fit/solver_coordinates.h"

namespace corvex {
namespace {

constexpr double kInitialStepBound = 100.0;  // lmder's factor
constexpr int kScaleVariablesInternally = 1;  // lmder's mode
constexpr int kStopSolver = -1;               // a negative callback result makes lmder return
constexpr double kRejectedResidual = 1e100;   // stands in for a non-finite residual when steps are rejected
constexpr double kCostTieShare = 1e-9;        // costs of one optimum reached from two points differ by less
constexpr double kRoundingUlps = 4.0;         // rounding of one residual, in ulps of the measured modulus

// Open-bound multipliers of x0 for candidates 2-5, then bounded fractions of the range for 6-9.
constexpr double kOpenBoundFactors[] = {3.0, 0.3333333333333333, 8.0, 0.125};
constexpr double kBoundedFractions[] = {0.2, 0.4, 0.6, 0.8};

double cost_at(const FitProblem& problem, std::span<const double> x) {
  const Result<std::vector<double>> r = residual_vector(problem, x);
  return r.ok() ? half_sum_of_squares(*r) : std::numeric_limits<double>::quiet_NaN();
}

bool all_finite(const double* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!std::isfinite(values[i])) return false;
  }
  return true;
}

// Physical point of a solver point. Entries beyond the bounds have no transformation.
void physical_point(std::span<const double> y, std::span<const ParamBounds> bounds, std::span<double> x) {
  from_solver(y, bounds, x);
  for (std::size_t i = std::min(bounds.size(), y.size()); i < y.size(); ++i) x[i] = y[i];
}

// What the lmder callback needs; lives on lm_run's stack for the duration of one run.
struct RunContext {
  const FitProblem* problem;
  std::span<const ParamBounds> bounds;
  const std::vector<bool>* frozen;
  std::size_t residual_count;      // m; lmder may see more rows, all zero
  bool reject_non_finite_steps;
  std::vector<double> physical;    // x at the solver point of the current callback
  std::vector<double> jacobian;    // physical-coordinate Jacobian, column-major
  Status failure;                  // an evaluation error that must reach the caller
};

int fill_residuals(RunContext& context, int solver_rows, double* fvec) {
  const std::size_t m = context.residual_count;
  Status status = residual_vector(*context.problem, context.physical, std::span<double>(fvec, m));
  if (!status) {
    context.failure = std::move(status);
    return kStopSolver;
  }
  std::fill(fvec + m, fvec + solver_rows, 0.0);
  if (all_finite(fvec, m)) return 0;
  if (!context.reject_non_finite_steps) return kStopSolver;
  // Residuals far above any finite cost make the step's actual reduction negative.
  std::fill(fvec, fvec + m, kRejectedResidual);
  return 0;
}

// d r / d y = d r / d x * d x / d y: zero for frozen parameters, (x - lo) ln 10 for
// open-bound ones (x = lo + 10^y), one for bounded ones.
int fill_jacobian(RunContext& context, int solver_rows, int columns, double* fjac, int ldfjac) {
  const std::size_t m = context.residual_count;
  Status status = central_difference_jacobian(*context.problem, context.physical, &context.jacobian);
  if (!status) {
    context.failure = std::move(status);
    return kStopSolver;
  }
  for (int j = 0; j < columns; ++j) {
    const std::size_t col = static_cast<std::size_t>(j);
    double* out = fjac + col * static_cast<std::size_t>(ldfjac);
    const double* in = context.jacobian.data() + col * m;
    const bool frozen = col < context.frozen->size() && (*context.frozen)[col];
    if (frozen) {
      std::fill(out, out + solver_rows, 0.0);
      continue;
    }
    if (col < context.bounds.size() && is_open_bound(context.bounds[col])) {
      const double chain = (context.physical[col] - context.bounds[col].lo) * kLn10;
      for (std::size_t k = 0; k < m; ++k) out[k] = in[k] * chain;
    } else {
      std::copy(in, in + m, out);
    }
    std::fill(out + m, out + solver_rows, 0.0);
    if (!all_finite(out, m)) return kStopSolver;
  }
  return 0;
}

// No exception may unwind through lmder's C frames: a failed allocation (of a worker's
// scratch, say) becomes the run's failure instead.
int lmder_callback(void* p, int m, int n, const double* y, double* fvec, double* fjac, int ldfjac, int iflag) {
  RunContext& context = *static_cast<RunContext*>(p);
  try {
    const std::size_t columns = static_cast<std::size_t>(n);
    physical_point(std::span<const double>(y, columns), context.bounds, context.physical);
    if (iflag == 1) return fill_residuals(context, m, fvec);
    if (iflag == 2) return fill_jacobian(context, m, n, fjac, ldfjac);
  } catch (const std::bad_alloc&) {
    context.failure = memory_error("out of memory");
    return kStopSolver;
  }
  return 0;
}

// max(patience, 1) * (n + 1) in 64 bits, saturated at the largest budget lmder accepts.
int evaluation_budget(std::uint32_t patience, std::size_t n) {
  const std::uint64_t factor = std::max<std::uint64_t>(patience, 1);
  const std::uint64_t limit = static_cast<std::uint64_t>(INT_MAX);
  if (n >= limit) return INT_MAX;
  const std::uint64_t per_factor = static_cast<std::uint64_t>(n) + 1;
  if (factor > limit / per_factor) return INT_MAX;
  return static_cast<int>(factor * per_factor);
}

// A successful run is accepted without trying further candidates when no bounded parameter
// sits within a millionth of its range from a bound and no open-bound parameter is near its
// lower bound or has moved six decades away from the stage's starting value.
bool plausible(std::span<const double> x, std::span<const double> x0, std::span<const ParamBounds> bounds) {
  const std::size_t n = std::min({bounds.size(), x.size(), x0.size()});
  for (std::size_t i = 0; i < n; ++i) {
    const ParamBounds& b = bounds[i];
    if (is_open_bound(b)) {
      if (!(x[i] > 100.0 * b.lo)) return false;
      const double ratio = x[i] / std::fmax(std::fabs(x0[i]), 1e-300);
      if (!std::isfinite(ratio) || !(ratio >= 1e-6) || !(ratio < 1e6)) return false;
    } else {
      const double margin = 1e-6 * (b.hi - b.lo);
      if (!(std::fabs(x[i] - b.lo) > margin) || !(std::fabs(b.hi - x[i]) > margin)) return false;
    }
  }
  return true;
}

struct BestRun {
  std::vector<double> x;
  double cost;
  bool success;
};

}  // namespace

bool total_order_less(double a, double b) {
  // Flipping the magnitude bits of negative numbers makes the signed bit patterns ascend
  // exactly as IEEE 754 totalOrder: -NaN < -inf < ... < -0 < +0 < ... < +inf < +NaN.
  auto key = [](double v) {
    const std::int64_t bits = std::bit_cast<std::int64_t>(v);
    return bits ^ static_cast<std::int64_t>(static_cast<std::uint64_t>(bits >> 63) >> 1);
  };
  return key(a) < key(b);
}

std::vector<Candidate> candidate_starting_points(const FitProblem& problem, std::span<const double> x0,
                                                 std::span<const ParamBounds> bounds) {
  const std::size_t n = std::min(bounds.size(), x0.size());
  const std::vector<double> start(x0.begin(), x0.begin() + n);
  std::vector<Candidate> candidates;
  candidates.reserve(9);
  candidates.push_back({start, 0.0});
  for (const double factor : kOpenBoundFactors) {
    std::vector<double> x = start;
    for (std::size_t i = 0; i < n; ++i) {
      if (is_open_bound(bounds[i])) x[i] = factor * start[i];
    }
    candidates.push_back({std::move(x), 0.0});
  }
  for (const double fraction : kBoundedFractions) {
    std::vector<double> x = start;
    for (std::size_t i = 0; i < n; ++i) {
      if (!is_open_bound(bounds[i])) x[i] = bounds[i].lo + fraction * (bounds[i].hi - bounds[i].lo);
    }
    candidates.push_back({std::move(x), 0.0});
  }
  for (Candidate& candidate : candidates) candidate.cost = cost_at(problem, candidate.x);
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return total_order_less(a.cost, b.cost); });
  return candidates;
}

Result<LmRunResult> lm_run(const FitProblem& problem, std::span<const ParamBounds> bounds,
                           std::span<const double> y0, const std::vector<bool>& frozen,
                           const LmSettings& settings) {
  if (std::signbit(settings.ftol)) return value_error("ftol must be >= 0");
  if (std::signbit(settings.xtol)) return value_error("xtol must be >= 0");
  if (std::signbit(settings.gtol)) return value_error("gtol must be >= 0");

  const std::size_t n = y0.size();
  const std::size_t m = problem.residual_count();
  // lmder needs at least as many rows as columns; zero rows change nothing in the least-squares
  // problem, so fewer residuals than parameters are padded rather than refused.
  const std::size_t rows = std::max(m, n);

  RunContext context{&problem, bounds, &frozen, m, settings.reject_non_finite_steps, std::vector<double>(n), {}, {}};
  std::vector<double> y(y0.begin(), y0.end());
  LmRunResult result;

  const std::size_t int_limit = static_cast<std::size_t>(INT_MAX);
  const bool fits_lmder = n > 0 && rows <= int_limit && n <= int_limit / rows;
  if (fits_lmder) {
    std::vector<double> fvec(rows), fjac(rows * n), diag(n), qtf(n), wa1(n), wa2(n), wa3(n), wa4(rows);
    std::vector<int> ipvt(n);
    int nfev = 0;
    int njev = 0;
    const int info = lmder(lmder_callback, &context, static_cast<int>(rows), static_cast<int>(n), y.data(),
                           fvec.data(), fjac.data(), static_cast<int>(rows), settings.ftol, settings.xtol,
                           settings.gtol, evaluation_budget(settings.patience, n), diag.data(),
                           kScaleVariablesInternally, kInitialStepBound, 0, &nfev, &njev, ipvt.data(),
                           qtf.data(), wa1.data(), wa2.data(), wa3.data(), wa4.data());
    if (!context.failure) return context.failure.take_error();
    // 1-3: the ftol and/or xtol test, 4: the gtol test (also reached with zero residuals).
    // A callback stop returns its negative flag; lmder then leaves in y the last accepted
    // iterate, whose residuals were all finite, or the start if the first evaluation stopped.
    result.success = info >= 1 && info <= 4;
    result.evaluations = static_cast<std::uint64_t>(std::max(nfev, 0));
  }
  result.x.resize(n);
  physical_point(y, bounds, result.x);
  return result;
}

const Candidate* cheapest_start(const std::vector<Candidate>& candidates) {
  const Candidate* cheapest = nullptr;
  for (const Candidate& candidate : candidates) {
    if (std::isfinite(candidate.cost) && (!cheapest || candidate.cost < cheapest->cost)) cheapest = &candidate;
  }
  return cheapest;
}

bool costlier_than_start(const FitProblem& problem, double cost, const Candidate& start) {
  double rounding = 0.0;
  for (std::size_t i = 0; i < problem.point_count(); ++i) {
    const double modulus = std::hypot(problem.measured[i].re, problem.measured[i].im);
    const double re = kRoundingUlps * DBL_EPSILON * modulus / problem.weights[i];
    const double im = kRoundingUlps * DBL_EPSILON * modulus / problem.imaginary_weights[i];
    rounding += re * re + im * im;
  }
  const double margin = kCostTieShare * start.cost + 0.5 * rounding;
  return !(cost <= start.cost + margin);
}

namespace {

// The runs from the candidates, the clamp and the frozen second pass.
Result<FitOutcome> stage_runs(const Circuit& circuit, const FitProblem& problem, const std::vector<ParamBounds>& bounds,
                              const std::vector<double>& x0, const std::vector<Candidate>& candidates,
                              const LmSettings& settings) {
  std::uint64_t iterations = 0;
  std::optional<BestRun> best;
  std::vector<bool> frozen(bounds.size(), false);
  for (const Candidate& candidate : candidates) {
    Result<LmRunResult> run = lm_run(problem, bounds, to_solver(candidate.x, bounds), frozen, settings);
    if (!run) return run.take_error();
    iterations += run->evaluations;
    const double cost = cost_at(problem, run->x);
    const bool success = run->success;
    const bool stop = success && std::isfinite(cost) && plausible(run->x, x0, bounds);
    const bool better = !best || (success && !best->success) || (cost < best->cost && success == best->success);
    if (better) best = BestRun{std::move(run->x), cost, success};
    if (stop) break;
  }
  // candidate_starting_points always returns at least one candidate, so best is set.

  std::vector<double> clamped = best->x;
  bool any_frozen = false;
  for (std::size_t i = 0; i < std::min(bounds.size(), clamped.size()); ++i) {
    const ParamBounds& b = bounds[i];
    clamped[i] = std::min(std::max(clamped[i], b.lo), b.hi);
    if (!is_open_bound(b) && (!(clamped[i] > b.lo) || clamped[i] >= b.hi)) {
      frozen[i] = true;
      any_frozen = true;
    }
  }
  if (!any_frozen) return fit_statistics(circuit.nodes, std::move(best->x), best->success, iterations, problem);

  Result<LmRunResult> run = lm_run(problem, bounds, to_solver(clamped, bounds), frozen, settings);
  if (!run) return run.take_error();
  iterations += run->evaluations;
  const double cost = cost_at(problem, run->x);
  if (run->success && cost < best->cost) {
    return fit_statistics(circuit.nodes, std::move(run->x), true, iterations, problem);
  }
  // The unclamped best is usually out of reach once a parameter sits on its bound; what the
  // converged second pass must beat is the clamped point, the one returned otherwise. Its
  // statistics are the answer when the pass does not beat it, so they are computed once.
  FitOutcome at_clamped = fit_statistics(circuit.nodes, std::move(clamped), best->success, iterations, problem);
  if (run->success && cost < at_clamped.cost) {
    return fit_statistics(circuit.nodes, std::move(run->x), true, iterations, problem);
  }
  return at_clamped;
}

// The whole stage; with `guarded`, never above its cheapest start.
Result<FitOutcome> stage(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
                         const LmSettings& settings, const CancellationToken& cancellation, bool guarded) {
  Status valid = validate_fit_inputs(circuit, spectrum);
  if (!valid) return valid.take_error();

  const FitProblem problem(circuit.nodes, spectrum, scheme, cancellation);
  const std::vector<ParamBounds> bounds = param_bounds(circuit.nodes);
  const std::vector<double> x0 = param_values(circuit.nodes);
  const std::vector<Candidate> candidates = candidate_starting_points(problem, x0, bounds);
  Result<FitOutcome> fitted = stage_runs(circuit, problem, bounds, x0, candidates, settings);
  if (!fitted || !guarded) return fitted;

  // A converged run is preferred to an unconverged cheaper one, and the clamp can raise the
  // cost: either may end above a start that was already evaluated. Least squares never
  // reports such a point, nor success when nothing improved on the start.
  const Candidate* start = cheapest_start(candidates);
  if (start && costlier_than_start(problem, fitted->cost, *start)) {
    return fit_statistics(circuit.nodes, start->x, false, fitted->iterations, problem);
  }
  return fitted;
}

}  // namespace

Result<FitOutcome> lm_stage(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
                            const LmSettings& settings, const CancellationToken& cancellation) {
  return stage(circuit, spectrum, scheme, settings, cancellation, true);
}

Result<FitOutcome> lm_stage_from_search(const Circuit& circuit, const Spectrum& spectrum, WeightScheme scheme,
                                        const LmSettings& settings, const CancellationToken& cancellation) {
  return stage(circuit, spectrum, scheme, settings, cancellation, false);
}

}  // namespace corvex
