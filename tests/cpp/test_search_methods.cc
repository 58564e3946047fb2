// Tests of the five global search methods on the R0-(R1,C1) problem: convergence, seeded
// determinism, evaluation counts, and the failures of unusable costs and settings.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "fit/fit_driver.h"
#include "fit/lm_stage.h"
#include "fit/search/differential_evolution.h"
#include "fit/search/global_search.h"
#include "fit/search/nelder_mead.h"
#include "fit/search/particle_swarm.h"
#include "fit/search/simulated_annealing.h"
#include "search_fixtures.h"

using namespace corvex;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Method = Result<FitOutcome> (*)(const FitOptions&, const Circuit&, const Spectrum&, const CancellationToken&);

// Settings small enough for a unit test that still reach the optimum from rc_start().
FitOptions quick_options() {
  FitOptions options;
  options.num_particles = 40;
  options.generations = 150;
  options.de_evaluations = 3000;
  options.sa_iterations = 3000;
  options.basin_hopping_hops = 3;
  options.seed = 11;
  return options;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool same_outcome(const FitOutcome& a, const FitOutcome& b) {
  if (a.values.size() != b.values.size()) return false;
  for (std::size_t i = 0; i < a.values.size(); ++i) {
    if (!check::same_bits(a.values[i], b.values[i])) return false;
  }
  return check::same_bits(a.cost, b.cost) && a.iterations == b.iterations &&
         a.impedance_evals == b.impedance_evals && a.success == b.success;
}

std::unique_ptr<SearchSpace> rc_space(const Spectrum& spectrum) {
  static const Circuit start = search_fixtures::rc_start();
  return std::move(prepare_search(start, spectrum, WeightScheme::Modulus).value());
}

}  // namespace

TEST_CASE("every method reaches the optimum of noise-free data") {
  const Method methods[] = {nelder_mead_fit, particle_swarm_fit, simulated_annealing_fit, differential_evolution_fit,
                            basin_hopping_fit};
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  for (const Method method : methods) {
    auto outcome = method(quick_options(), start, spectrum, no_cancellation());
    CHECK(outcome.ok());
    if (!outcome) continue;
    CHECK(outcome->success);
    CHECK(outcome->cost < 1e-16);
    for (std::size_t i = 0; i < 3; ++i) {
      const double truth = search_fixtures::true_values()[i];
      CHECK_NEAR(outcome->values[i], truth, 1e-5 * truth);
    }
  }
}

TEST_CASE("nelder-mead with one parameter uses a two-vertex simplex") {
  const Circuit start = search_fixtures::circuit("R0", {60.0});
  const Spectrum spectrum = search_fixtures::spectrum_of(search_fixtures::circuit("R0", {20.0}));
  auto space = prepare_search(start, spectrum, WeightScheme::Unit);
  auto search = nelder_mead_search(**space, NelderMeadSettings{});
  CHECK(search.ok());
  CHECK_NEAR(search->best_point[0], 20.0, 1e-6);
  CHECK(search->iterations > 0);
}

TEST_CASE("the same seed gives identical outcomes") {
  const Method methods[] = {nelder_mead_fit, particle_swarm_fit, simulated_annealing_fit, basin_hopping_fit};
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  for (const Method method : methods) {
    auto first = method(quick_options(), start, spectrum, no_cancellation());
    auto second = method(quick_options(), start, spectrum, no_cancellation());
    CHECK(first.ok() && second.ok());
    CHECK(same_outcome(*first, *second));
  }
}

// The searches' own best points (before the polish) follow the seed.
TEST_CASE("seeds steer the swarm and the annealing walk") {
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  auto space = rc_space(spectrum);
  const auto swarm_point = [&](std::uint64_t seed) {
    ParticleSwarmSettings settings;
    settings.particles = 10;
    settings.generations = 5;
    settings.seed = seed;
    return particle_swarm_search(*space, settings).value().best_point;
  };
  const auto walk_point = [&](std::uint64_t seed) {
    AnnealingSettings settings;
    settings.max_iterations = 50;
    settings.seed = seed;
    return simulated_annealing_search(*space, settings).value().best_point;
  };
  CHECK(swarm_point(3) == swarm_point(3));
  CHECK(swarm_point(3) != swarm_point(4));
  CHECK(walk_point(3) == walk_point(3));
  CHECK(walk_point(3) != walk_point(4));
  // The acceptance stream of the largest seed wraps around to seed 0.
  CHECK(walk_point(std::numeric_limits<std::uint64_t>::max()) == walk_point(std::numeric_limits<std::uint64_t>::max()));
}

TEST_CASE("search evaluation counts and iteration figures") {
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  {
    auto space = rc_space(spectrum);
    NelderMeadSettings settings;
    settings.max_iterations = 0;
    auto search = nelder_mead_search(*space, settings);
    CHECK_EQ(space->problem.counter.value(), 4u);  // n + 1 vertices
    CHECK_EQ(search->iterations, 0u);
  }
  struct Swarm {
    std::uint64_t particles, generations;
  };
  for (const Swarm row : {Swarm{7, 0}, Swarm{5, 3}, Swarm{1, 4}}) {
    auto space = rc_space(spectrum);
    ParticleSwarmSettings settings;
    settings.particles = row.particles;
    settings.generations = row.generations;
    settings.seed = 1;
    auto search = particle_swarm_search(*space, settings);
    CHECK_EQ(space->problem.counter.value(), row.particles * (1 + row.generations));
    CHECK_EQ(search->iterations, row.generations);
  }
  for (const std::uint64_t iterations : {0u, 25u}) {
    auto space = rc_space(spectrum);
    AnnealingSettings settings;
    settings.max_iterations = iterations;
    settings.seed = 2;
    auto search = simulated_annealing_search(*space, settings);
    CHECK_EQ(space->problem.counter.value(), 1 + iterations);
    CHECK_EQ(search->iterations, iterations);
  }
  // 0 and 1 both evaluate once per run; 150 passes the first generation end.
  struct Evolution {
    std::uint64_t evaluations, steps;
  };
  for (const Evolution row : {Evolution{0, 1}, Evolution{1, 1}, Evolution{150, 150}}) {
    auto space = rc_space(spectrum);
    EvolutionSettings settings;
    settings.evaluations = row.evaluations;
    auto search = differential_evolution_search(*space, settings);
    CHECK_EQ(space->problem.counter.value(), 10 * row.steps + 10);
    CHECK_EQ(search->iterations, 10 * row.steps);
  }
  // Through the entry points the polish adds its statistics (1 + 2n) and its own stage.
  const Circuit start = search_fixtures::rc_start();
  FitOptions options = quick_options();
  options.nelder_mead_iterations = 0;
  auto outcome = nelder_mead_fit(options, start, spectrum);
  CHECK(outcome->impedance_evals > 4u + 7u);
}

TEST_CASE("basin hopping without hops is one Levenberg-Marquardt stage") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  FitOptions options = quick_options();
  options.basin_hopping_hops = 0;
  options.basin_hopping_step_size = kNaN;  // never used without hops
  auto hopped = basin_hopping_fit(options, start, spectrum);
  auto stage = lm_stage(start, spectrum, WeightScheme::Modulus, LmSettings{1e-8, 1e-8, 1e-8, 200});
  CHECK(hopped.ok() && stage.ok());
  CHECK(hopped->values == stage->values);
  CHECK_EQ(hopped->iterations, stage->iterations);
  CHECK_EQ(hopped->impedance_evals, stage->impedance_evals + 7u);
  CHECK(hopped->success);

  // A step size of 0 restarts every hop from the current minimum.
  options.basin_hopping_hops = 2;
  options.basin_hopping_step_size = 0.0;
  auto still = basin_hopping_fit(options, start, spectrum);
  CHECK(still.ok());
  CHECK(still->cost <= stage->cost);
}

TEST_CASE("searches that see only NaN costs fail with their method's message") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::nan_spectrum();
  struct Row {
    Method method;
    std::uint64_t nelder_mead_iterations;
    const char* message;
  };
  const Row rows[] = {
      {nelder_mead_fit, 0, "solver error: nelder-mead found no best position"},
      {particle_swarm_fit, 0, "solver error: particle swarm found no best position"},
      {simulated_annealing_fit, 0, "solver error: simulated annealing found no best position"},
      {differential_evolution_fit, 0, "solver error: differential evolution found no best position"},
  };
  FitOptions options = quick_options();
  options.num_particles = 10;
  options.generations = 5;
  options.de_evaluations = 120;
  options.sa_iterations = 20;
  for (const Row& row : rows) {
    options.nelder_mead_iterations = row.nelder_mead_iterations;
    auto outcome = row.method(options, start, spectrum, no_cancellation());
    CHECK(!outcome.ok());
    if (!outcome.ok()) CHECK_EQ(outcome.error().message, std::string(row.message));
  }
  // With iterations left, the NaN reflection itself stops the simplex.
  options.nelder_mead_iterations = 10;
  auto simplex = nelder_mead_fit(options, start, spectrum);
  CHECK(!simplex.ok() && contains(simplex.error().message, "`NelderMead`: Reached unreachable point."));

  // Basin hopping has no search error: it reports its unusable minimum as unsuccessful.
  auto hopped = basin_hopping_fit(options, start, spectrum);
  CHECK(hopped.ok());
  CHECK(std::isnan(hopped->cost));
  CHECK(!hopped->success);
}

TEST_CASE("settings that cannot run end in an error") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  const std::string not_positive =
      "solver error: Invalid parameter: \"`SimulatedAnnealing`: Initial temperature must be > 0.\"";
  for (const double temperature : {0.0, -1.0, -0.0}) {
    FitOptions options = quick_options();
    options.sa_initial_temperature = temperature;
    auto outcome = simulated_annealing_fit(options, start, spectrum);
    CHECK(!outcome.ok() && outcome.error().message == not_positive);
  }
  for (const double temperature : {kNaN, kInf, 1e308}) {
    FitOptions options = quick_options();
    options.sa_initial_temperature = temperature;
    auto outcome = simulated_annealing_fit(options, start, spectrum);
    CHECK(!outcome.ok() && contains(outcome.error().message, "Initial temperature must be finite"));
  }
  {
    FitOptions options = quick_options();
    options.sa_initial_temperature = 1e-300;
    options.sa_iterations = 20;
    CHECK(simulated_annealing_fit(options, start, spectrum).ok());
  }
  for (const double step : {-1.0, kNaN, kInf, -kInf, 1e308}) {
    FitOptions options = quick_options();
    options.basin_hopping_step_size = step;
    auto outcome = basin_hopping_fit(options, start, spectrum);
    CHECK(!outcome.ok() && contains(outcome.error().message, "step size"));
  }

  // No particles: nothing to search, however many generations are asked for.
  FitOptions empty_swarm = quick_options();
  empty_swarm.num_particles = 0;
  empty_swarm.generations = std::uint64_t{1} << 63;
  auto no_particles = particle_swarm_fit(empty_swarm, start, spectrum);
  CHECK(!no_particles.ok() && no_particles.error().message == "solver error: particle swarm found no best position");

  for (const std::uint64_t particles : {std::uint64_t{1} << 40, std::uint64_t{1} << 62, ~std::uint64_t{0}}) {
    FitOptions huge = quick_options();
    huge.num_particles = particles;
    auto outcome = particle_swarm_fit(huge, start, spectrum);
    CHECK(!outcome.ok() && outcome.error().kind == ErrorKind::Memory);
  }

  // An infinite start leaves R0's box without a finite width in single precision.
  const Circuit infinite = search_fixtures::circuit("R0-(R1,C1)", {kInf, 40.0, 1e-4});
  auto unsampled = differential_evolution_fit(quick_options(), infinite, spectrum);
  CHECK(!unsampled.ok() && contains(unsampled.error().message, "\"R0.r\""));
}

CHECK_MAIN()
