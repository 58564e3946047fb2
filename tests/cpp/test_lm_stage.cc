// Tests of the Levenberg-Marquardt stage: total-order sorting and candidate generation, the
// lmder runs (tolerances, budget, frozen parameters, non-finite stops) and whole-stage fits.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "check.h"
#include "fit/fit_driver.h"
#include "fit/lm_stage.h"
#include "fit/solver_coordinates.h"
#include "fit_fixtures.h"

using namespace corvex;
using fit_fixtures::circuit_with;
using fit_fixtures::log_frequencies;
using fit_fixtures::spectrum_of;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double cost_of(const FitProblem& problem, const std::vector<double>& x) {
  return half_sum_of_squares(*residual_vector(problem, x));
}

bool same_outcome(const FitOutcome& a, const FitOutcome& b) {
  bool same = a.values.size() == b.values.size() && a.iterations == b.iterations &&
              a.impedance_evals == b.impedance_evals && a.success == b.success &&
              check::same_bits(a.cost, b.cost);
  for (std::size_t i = 0; same && i < a.values.size(); ++i) same = check::same_bits(a.values[i], b.values[i]);
  return same;
}

// R0-(R1,C1) with R0 = 29, R1 = 47, C1 = 1e-4 over 10 mHz to 100 kHz.
const Circuit& rc_truth() {
  static const Circuit truth = circuit_with("R0-(R1,C1)", {29.0, 47.0, 1e-4});
  return truth;
}
const Spectrum& rc_data() {
  static const Spectrum data = spectrum_of(rc_truth(), log_frequencies(1e-2, 1e5, 60));
  return data;
}

}  // namespace

TEST_CASE("total order: -NaN < -inf < -0 < +0 < +inf < NaN") {
  const double ascending[] = {-kNaN, -kInf, -1.0, -0.0, 0.0, 1e-300, 2.0, kInf, kNaN};
  for (std::size_t i = 0; i < std::size(ascending); ++i) {
    for (std::size_t j = 0; j < std::size(ascending); ++j) {
      CHECK_EQ(total_order_less(ascending[i], ascending[j]), i < j);
    }
  }
}

TEST_CASE("candidates: nine in generation order, stably sorted by cost") {
  const std::vector<double> x0 = {10.0, 40.0, 1e-3, 0.8};
  const Circuit start = circuit_with("R0-(R1,CPE1)", x0);
  const Spectrum data = spectrum_of(circuit_with("R0-(R1,CPE1)", {12.0, 30.0, 2e-3, 0.7}), log_frequencies(0.1, 1e4, 20));
  const std::vector<ParamBounds> catalogue = param_bounds(start.nodes);
  const std::vector<ParamBounds> all_bounded = {{0.0, 100.0}, {0.0, 100.0}, {0.0, 1.0}, {0.0, 1.0}};

  for (const auto* bounds : {&catalogue, &all_bounded}) {
    const FitProblem problem(start.nodes, data, WeightScheme::Modulus);
    const std::vector<Candidate> sorted = candidate_starting_points(problem, x0, *bounds);
    CHECK_EQ(problem.counter.value(), 9u);
    CHECK_EQ(sorted.size(), 9u);

    std::vector<Candidate> generated;
    for (const double factor : {1.0, 3.0, 0.3333333333333333, 8.0, 0.125}) {
      std::vector<double> x = x0;
      for (std::size_t i = 0; i < 4; ++i) {
        if (is_open_bound((*bounds)[i])) x[i] = factor * x0[i];
      }
      generated.push_back({x, 0.0});
    }
    for (const double fraction : {0.2, 0.4, 0.6, 0.8}) {
      std::vector<double> x = x0;
      for (std::size_t i = 0; i < 4; ++i) {
        if (!is_open_bound((*bounds)[i])) x[i] = (*bounds)[i].lo + fraction * ((*bounds)[i].hi - (*bounds)[i].lo);
      }
      generated.push_back({x, 0.0});
    }
    const FitProblem scorer(start.nodes, data, WeightScheme::Modulus);
    for (Candidate& c : generated) c.cost = cost_of(scorer, c.x);
    std::stable_sort(generated.begin(), generated.end(),
                     [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    for (std::size_t k = 0; k < sorted.size() && k < generated.size(); ++k) {
      CHECK(sorted[k].x == generated[k].x);
      CHECK_SAME(sorted[k].cost, generated[k].cost);
    }
    if (bounds == &all_bounded) {
      CHECK_EQ(std::count_if(sorted.begin(), sorted.end(), [&](const Candidate& c) { return c.x == x0; }), 5);
    }
  }
}

TEST_CASE("negative tolerances are refused when a run is configured, -0.0 included") {
  const FitProblem problem(rc_truth().nodes, rc_data(), WeightScheme::Modulus);
  const std::vector<ParamBounds> bounds = param_bounds(rc_truth().nodes);
  const std::vector<double> y0 = to_solver(param_values(rc_truth().nodes), bounds);
  struct Row {
    LmSettings settings;
    const char* message;
  };
  const Row rows[] = {
      {{-0.0, 1e-8, 1e-8, 200}, "ftol must be >= 0"},
      {{1e-8, -1e-3, 1e-8, 200}, "xtol must be >= 0"},
      {{1e-8, 1e-8, -0.0, 200}, "gtol must be >= 0"},
      {{-1.0, -1.0, -1.0, 200}, "ftol must be >= 0"},
  };
  for (const Row& row : rows) {
    Result<LmRunResult> run = lm_run(problem, bounds, y0, std::vector<bool>(3, false), row.settings);
    CHECK(!run.ok());
    if (!run.ok()) CHECK_EQ(run.error().message, std::string(row.message));
    Result<FitOutcome> stage = lm_stage(rc_truth(), rc_data(), WeightScheme::Modulus, row.settings);
    CHECK(!stage.ok());
    if (!stage.ok()) CHECK_EQ(stage.error().message, std::string(row.message));
  }
  CHECK(lm_run(problem, bounds, y0, std::vector<bool>(3, false), LmSettings{0.0, 0.0, 0.0, 5}).ok());
}

TEST_CASE("a frozen parameter keeps its start exactly while the others move") {
  const FitProblem problem(rc_truth().nodes, rc_data(), WeightScheme::Modulus);
  const std::vector<ParamBounds> bounds = param_bounds(rc_truth().nodes);
  const std::vector<double> y0 = to_solver(std::vector<double>{10.0, 47.0, 3e-4}, bounds);
  Result<LmRunResult> run = lm_run(problem, bounds, y0, {false, true, false}, LmSettings{});
  CHECK(run.ok());
  if (!run.ok()) return;
  CHECK_SAME(run->x[1], from_solver(y0, bounds)[1]);
  CHECK(std::fabs(run->x[0] - 10.0) > 1.0);
  CHECK(run->evaluations > 0);
}

TEST_CASE("a run that meets non-finite residuals is unsuccessful and ends at a finite point") {
  // NaN data: the very first evaluation stops lmder, so the run ends where it started.
  Spectrum nan_data = rc_data();
  nan_data.impedances[3] = {kNaN, 0.0};
  const FitProblem problem(rc_truth().nodes, nan_data, WeightScheme::Modulus);
  const std::vector<ParamBounds> bounds = param_bounds(rc_truth().nodes);
  const std::vector<double> start = {10.0, 20.0, 1e-3};
  Result<LmRunResult> run = lm_run(problem, bounds, to_solver(start, bounds), std::vector<bool>(3, false), LmSettings{});
  CHECK(run.ok() && !run->success);
  if (run.ok()) {
    for (std::size_t i = 0; i < 3; ++i) CHECK_NEAR(run->x[i], start[i], 1e-12 * start[i]);
  }

  // A resistance pulled towards the top of the double range overflows on its first trial
  // step; the run ends unsuccessfully at the last accepted point, whose residuals are finite.
  const Circuit r = circuit_with("R0", {1e300});
  Spectrum huge;
  huge.frequencies = {1.0, 2.0};
  huge.impedances = {{1.7e308, 0.0}, {1.7e308, 0.0}};
  const FitProblem huge_problem(r.nodes, huge, WeightScheme::Unit);
  const std::vector<ParamBounds> r_bounds = param_bounds(r.nodes);
  Result<LmRunResult> climb = lm_run(huge_problem, r_bounds, to_solver(std::vector<double>{1e300}, r_bounds),
                                     {false}, LmSettings{});
  CHECK(climb.ok() && !climb->success);
  if (climb.ok()) {
    CHECK_EQ(climb->evaluations, 2u);
    const Result<std::vector<double>> r = residual_vector(huge_problem, climb->x);
    for (const double v : *r) CHECK(std::isfinite(v));
  }
}

TEST_CASE("an exact start stops after the first candidate with success") {
  const LmSettings settings;
  Result<FitOutcome> outcome = lm_stage(rc_truth(), rc_data(), WeightScheme::Modulus, settings);
  CHECK(outcome.ok());
  if (!outcome.ok()) return;
  CHECK(outcome->success);
  const FitProblem problem(rc_truth().nodes, rc_data(), WeightScheme::Modulus);
  const std::vector<ParamBounds> bounds = param_bounds(rc_truth().nodes);
  Result<LmRunResult> first =
      lm_run(problem, bounds, to_solver(param_values(rc_truth().nodes), bounds), std::vector<bool>(3, false), settings);
  CHECK(first.ok());
  if (first.ok()) CHECK_EQ(outcome->iterations, first->evaluations);
  CHECK(outcome->cost < 1e-20);
}

TEST_CASE("a fit of R0-(R1,C1) recovers its parameters from a start off by factors 2-5") {
  const Circuit start = circuit_with("R0-(R1,C1)", {29.0 / 3.0, 47.0 * 4.0, 1e-4 / 2.0});
  const double truth[] = {29.0, 47.0, 1e-4};
  for (const WeightScheme scheme : {WeightScheme::Modulus, WeightScheme::Unit}) {
    Result<FitOutcome> outcome = lm_stage(start, rc_data(), scheme, LmSettings{});
    CHECK(outcome.ok());
    if (!outcome.ok()) continue;
    CHECK(outcome->success);
    for (std::size_t i = 0; i < 3; ++i) CHECK_NEAR(outcome->values[i], truth[i], 1e-6 * truth[i]);
    CHECK(outcome->iterations > 0);
    CHECK(outcome->impedance_evals > 9 + outcome->iterations);
    CHECK(outcome->standard_errors.has_value());
  }
}

TEST_CASE("patience 0 behaves like 1, and the largest patience is a valid budget") {
  const Circuit start = circuit_with("R0-(R1,C1)", {10.0, 150.0, 4e-4});
  Result<FitOutcome> zero = lm_stage(start, rc_data(), WeightScheme::Modulus, LmSettings{1e-8, 1e-8, 1e-8, 0});
  Result<FitOutcome> one = lm_stage(start, rc_data(), WeightScheme::Modulus, LmSettings{1e-8, 1e-8, 1e-8, 1});
  CHECK(zero.ok() && one.ok());
  if (zero.ok() && one.ok()) CHECK(same_outcome(*zero, *one));

  Result<FitOutcome> largest =
      lm_stage(start, rc_data(), WeightScheme::Modulus, LmSettings{1e-8, 1e-8, 1e-8, UINT32_MAX});
  CHECK(largest.ok() && largest->success);
}

TEST_CASE("a bounded parameter beyond its bound is clamped, frozen and kept on the bound") {
  // Data of a CPE with alpha 1.2: the unconstrained optimum lies above alpha's upper bound.
  const Spectrum data = spectrum_of(circuit_with("R0-(R1,CPE1)", {5.0, 30.0, 1e-3, 1.2}), log_frequencies(0.1, 1e4, 40));
  const Circuit start = circuit_with("R0-(R1,CPE1)", {5.0, 30.0, 1e-3, 0.9});
  Result<FitOutcome> outcome = lm_stage(start, data, WeightScheme::Modulus, LmSettings{});
  CHECK(outcome.ok());
  if (!outcome.ok()) return;
  CHECK_SAME(outcome->values[3], 1.0);
  for (std::size_t i = 0; i < 3; ++i) CHECK(outcome->values[i] >= 1e-12);
}

TEST_CASE("validation order: lengths, then emptiness, then parameters") {
  const Circuit no_parameters = *series_of({});
  Spectrum mismatched;
  mismatched.frequencies = {1.0};
  struct Row {
    const Circuit* circuit;
    const Spectrum* spectrum;
    const char* message;
  };
  const Spectrum empty;
  const Row rows[] = {
      {&no_parameters, &mismatched, "frequencies and impedances must have the same length"},
      {&no_parameters, &empty, "frequencies and impedances must not be empty"},
      {&no_parameters, &rc_data(), "circuit topology has no parameters to fit"},
  };
  for (const Row& row : rows) {
    Result<FitOutcome> outcome = lm_stage(*row.circuit, *row.spectrum, WeightScheme::Modulus, LmSettings{});
    CHECK(!outcome.ok());
    if (!outcome.ok()) CHECK_EQ(outcome.error().message, std::string(row.message));
  }
}

TEST_CASE("the driver matches method names exactly and reports unknown ones first") {
  const std::string expected_tail =
      ", expected one of \"levenberg_marquardt\", \"particle_swarm\", \"nelder_mead\", "
      "\"differential_evolution\", \"simulated_annealing\", \"basin_hopping\"";
  struct Row {
    const char* method;
    const char* quoted;
  };
  const Row rows[] = {
      {"Levenberg_Marquardt", "\"Levenberg_Marquardt\""},
      {"", "\"\""},
      {" nelder_mead", "\" nelder_mead\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
  };
  for (const Row& row : rows) {
    FitOptions options;
    options.method = row.method;
    Result<FitOutcome> outcome = fit_driver(options, *series_of({}), Spectrum{});
    CHECK(!outcome.ok());
    if (!outcome.ok()) CHECK_EQ(outcome.error().message, "unknown fit method " + std::string(row.quoted) + expected_tail);
  }

  FitOptions options;
  options.max_iterations = 7;
  options.ftol = 1e-6;
  options.weight = WeightScheme::Unit;
  const Circuit start = circuit_with("R0-(R1,C1)", {10.0, 150.0, 4e-4});
  Result<FitOutcome> driven = fit_driver(options, start, rc_data());
  Result<FitOutcome> direct = lm_stage(start, rc_data(), WeightScheme::Unit, LmSettings{1e-6, 1e-8, 1e-8, 7});
  CHECK(driven.ok() && direct.ok());
  if (driven.ok() && direct.ok()) CHECK(same_outcome(*driven, *direct));
}

CHECK_MAIN()
