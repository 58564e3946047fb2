// The basin hopping method of fit(): random jumps in solver coordinates from the current
// local minimum, each followed by a Levenberg-Marquardt stage and a Metropolis test.
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "fit/fit_error.h"
#include "fit/lm_stage.h"
#include "fit/search/global_search.h"
#include "fit/search/random_stream.h"
#include "fit/search/saturating.h"
#include "fit/search/search_space.h"
#include "fit/solver_coordinates.h"

namespace corvex {

namespace {

struct BasinHoppingSettings {
  std::uint32_t hops = 20;       // jumps after the first local minimisation
  double step_size = 1.0;        // s: every coordinate jumps by a draw from [-s, s]
  double temperature = 1.0;      // T of the Metropolis test
  LmSettings local{1e-8, 1e-8, 1e-8, 200};  // every local minimisation
};

// Metropolis test of a new local minimum against the current one. Draws only when the new
// cost is finite and not lower.
bool metropolis_accepts(double new_cost, double current_cost, double temperature, RandomStream* stream) {
  if (!std::isfinite(new_cost)) return false;
  if (new_cost < current_cost) return true;
  return std::exp(-(new_cost - current_cost) / temperature) > unit_draw(stream);
}

}  // namespace

Result<FitOutcome> basin_hopping_fit(const FitOptions& options, const Circuit& circuit, const Spectrum& spectrum,
                                     const CancellationToken& cancellation) {
  if (Status status = validate_fit_inputs(circuit, spectrum); !status) return status.take_error();
  BasinHoppingSettings settings;
  settings.hops = options.basin_hopping_hops;
  settings.step_size = options.basin_hopping_step_size;
  settings.temperature = options.basin_hopping_temperature;

  auto stream_result = seeded_stream(options.seed);
  if (!stream_result) return fit_error(FitErrorKind::Solver, stream_result.error().message);
  RandomStream& stream = stream_result.value();
  const std::vector<ParamBounds> bounds = param_bounds(circuit.nodes);
  const double s = settings.step_size;
  // Jumps are drawn from [-s, s]; its width 2s must be a finite number. Only hops jump.
  if (settings.hops > 0 && !(s >= 0.0 && std::isfinite(s + s))) {
    return fit_error(FitErrorKind::Solver, "basin hopping step size must be a finite number >= 0");
  }

  Result<FitOutcome> first = lm_stage(circuit, spectrum, options.weight, settings.local, cancellation);
  if (!first) return first.take_error();
  FitOutcome current = std::move(first).value();
  std::vector<double> best_values = current.values;
  double best_cost = current.cost;
  bool best_success = current.success;
  std::uint64_t total_iterations = current.iterations;
  std::uint64_t total_evaluations = current.impedance_evals;

  for (std::uint32_t hop = 0; hop < settings.hops; ++hop) {
    std::vector<double> y = to_solver(current.values, bounds);
    for (double& coordinate : y) coordinate += interval_draw(&stream, -s, s);
    const std::vector<double> jumped = from_solver(y, bounds);
    const Circuit start{rebuild_with_values(circuit.nodes, jumped.data()), true};

    Result<FitOutcome> local = lm_stage(start, spectrum, options.weight, settings.local, cancellation);
    if (!local) return local.take_error();
    total_iterations = saturating_add(total_iterations, local->iterations);
    total_evaluations = saturating_add(total_evaluations, local->impedance_evals);

    // The best minimum is tracked whether or not the hop is accepted; a usable minimum also
    // replaces a first one whose cost was NaN.
    if (std::isfinite(local->cost) && (local->cost < best_cost || std::isnan(best_cost))) {
      best_values = local->values;
      best_cost = local->cost;
      best_success = local->success;
    }
    if (metropolis_accepts(local->cost, current.cost, settings.temperature, &stream)) {
      current = std::move(local).value();
    }
  }

  const FitProblem problem(circuit.nodes, spectrum, options.weight, cancellation);
  problem.counter.add(total_evaluations);
  // The result converged only if the local minimisation that found it did.
  FitOutcome outcome = fit_statistics(circuit.nodes, best_values, best_success, total_iterations, problem);
  // No local minimisation reached a usable point when even the best cost is NaN or infinite.
  if (!std::isfinite(outcome.cost)) outcome.success = false;
  return outcome;
}

}  // namespace corvex
