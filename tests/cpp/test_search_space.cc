// Tests of what the global searches share: the search box, the cost of a solver point and
// its evaluation count, and the polish with its choice rule and evaluation accounting.
#include <cmath>
#include <limits>
#include <vector>

#include "check.h"
#include "fit/lm_stage.h"
#include "fit/search/polish.h"
#include "fit/search/search_space.h"
#include "fit/solver_coordinates.h"
#include "search_fixtures.h"

using namespace corvex;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST_CASE("search box limits per parameter kind and start") {
  struct Row {
    ParamBounds bounds;
    double start;
    double lower, upper;
  };
  const Row rows[] = {
      {{0.0, 1.0}, 0.3, 0.0, 1.0},                                               // bounded: as is
      {{1e-12, kInf}, 0.0, std::log10(1e-10 - 1e-12), std::log10(1e-2 - 1e-12)},  // start 0: m = 1e-6
      {{1e-12, kInf}, kNaN, std::log10(1e-10 - 1e-12), std::log10(1e-2 - 1e-12)},
      {{1e-12, kInf}, -5.0, std::log10(5e-4 - 1e-12), std::log10(5e4 - 1e-12)},  // magnitude of the start
      {{1e-12, kInf}, 100.0, std::log10(1e-2 - 1e-12), std::log10(1e6 - 1e-12)},
      {{1.0, kInf}, 2.0, -300.0, std::log10(2e4 - 1.0)},  // 1e-4 m below lo: floored at 1e-300
  };
  for (const Row& row : rows) {
    const SearchBox box = search_box(std::vector<ParamBounds>{row.bounds}, std::vector<double>{row.start});
    CHECK_SAME(box.lower[0], row.lower);
    CHECK_SAME(box.upper[0], row.upper);
  }
  const SearchBox zero = search_box(std::vector<ParamBounds>{{1e-12, kInf}}, std::vector<double>{0.0});
  CHECK_NEAR(zero.lower[0], -10.004, 1e-3);
  CHECK_NEAR(zero.upper[0], -2.0, 1e-9);
  // Only as many entries as both inputs have.
  const SearchBox shorter = search_box(std::vector<ParamBounds>{{0.0, 1.0}, {0.0, 1.0}}, std::vector<double>{0.5});
  CHECK_EQ(shorter.lower.size(), 1u);
}

TEST_CASE("search cost is the cost at the physical image and counts one evaluation") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  auto space = prepare_search(start, spectrum, WeightScheme::Modulus);
  CHECK(space.ok());
  const SearchSpace& s = **space;
  const std::vector<double> y = {1.2, 2.5, -4.3};
  CostScratch scratch;
  const double cost = search_cost(s.problem, s.bounds, y, &scratch);
  CHECK_EQ(s.problem.counter.value(), 1u);
  const auto residuals = residual_vector(s.problem, from_solver(y, s.bounds));
  CHECK_SAME(cost, half_sum_of_squares(*residuals));

  const std::vector<double> optimum = to_solver(search_fixtures::true_values(), s.bounds);
  CHECK(search_cost(s.problem, s.bounds, optimum, &scratch) < 1e-20);
  const std::vector<double> broken = {kNaN, 2.0, -4.0};
  CHECK(std::isnan(search_cost(s.problem, s.bounds, broken, &scratch)));
  CHECK_EQ(s.problem.counter.value(), 4u);
}

TEST_CASE("preparation applies the fit input checks in order") {
  const Circuit start = search_fixtures::rc_start();
  Spectrum uneven = search_fixtures::rc_spectrum();
  uneven.frequencies.pop_back();
  auto mismatch = prepare_search(start, uneven, WeightScheme::Unit);
  CHECK(!mismatch.ok());
  CHECK_EQ(mismatch.error().message, std::string("frequencies and impedances must have the same length"));
  auto empty = prepare_search(start, Spectrum{}, WeightScheme::Unit);
  CHECK(!empty.ok());
  CHECK_EQ(empty.error().message, std::string("frequencies and impedances must not be empty"));
}

namespace {

FitOutcome outcome_with(double cost, std::uint64_t iterations, bool success) {
  FitOutcome outcome;
  outcome.cost = cost;
  outcome.chi_square = cost + cost;
  outcome.iterations = iterations;
  outcome.impedance_evals = 1;
  outcome.success = success;
  return outcome;
}

}  // namespace

// The search outcome carries iterations 1, the refinement's iterations 2.
TEST_CASE("polish chooses the refinement when finite and not worse, success only with a finite cost and a converged refinement") {
  struct Row {
    double search_cost, refined_cost;
    bool refined_success;
    std::uint64_t chosen_iterations;
    bool success;
  };
  const Row rows[] = {
      {1.0, 0.5, true, 2, true},      // refinement better
      {1.0, 1.0, false, 2, false},    // tie goes to the refinement, with its success flag
      {1.0, 2.0, true, 1, true},      // refinement worse: the search point, success true
      {1.0, kNaN, true, 1, true},     // refinement not finite
      {1.0, kInf, true, 1, true},
      {kInf, kInf, true, 1, false},   // neither finite: the search point, but no success
      {kNaN, 0.5, true, 1, false},    // a finite refinement does not compare below NaN
      {kInf, 3.0, true, 2, true},
      {1.0, 2.0, false, 1, false},    // the search point keeps the refinement's failure
      {1.0, kNaN, false, 1, false},
  };
  for (const Row& row : rows) {
    const FitOutcome chosen = choose_polished_outcome(outcome_with(row.search_cost, 1, true),
                                                      outcome_with(row.refined_cost, 2, row.refined_success), 77);
    CHECK_EQ(chosen.iterations, row.chosen_iterations);
    CHECK_EQ(chosen.success, row.success);
    CHECK_EQ(chosen.impedance_evals, 77u);
  }
}

// Total = evaluations before + statistics (1 + 2n) + the refinement's own count.
TEST_CASE("polish refines the best point and accounts for every evaluation") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::rc_spectrum();
  auto space = prepare_search(start, spectrum, WeightScheme::Modulus);
  const SearchSpace& s = **space;
  s.problem.counter.add(1000);
  const std::vector<double> best = {25.0, 120.0, 3e-5};

  auto polished = polish_search_result(s, best, 42);
  CHECK(polished.ok());
  const Circuit refined_start = search_fixtures::circuit("R0-(R1,C1)", best);
  auto refined = lm_stage(refined_start, spectrum, WeightScheme::Modulus, LmSettings{1e-8, 1e-8, 1e-8, 200});
  CHECK(refined.ok());
  CHECK_EQ(polished->impedance_evals, 1000u + 7u + refined->impedance_evals);
  CHECK_EQ(polished->iterations, refined->iterations);
  CHECK(polished->success);
  CHECK(polished->cost < 1e-20);
  for (std::size_t i = 0; i < 3; ++i) {
    CHECK_NEAR(polished->values[i], search_fixtures::true_values()[i], 1e-6 * search_fixtures::true_values()[i]);
  }
  CHECK(polished->circuit.explicit_values);
}

TEST_CASE("polish of a point whose cost is NaN reports no success") {
  const Circuit start = search_fixtures::rc_start();
  const Spectrum spectrum = search_fixtures::nan_spectrum();
  auto space = prepare_search(start, spectrum, WeightScheme::Modulus);
  auto polished = polish_search_result(**space, search_fixtures::true_values(), 5);
  CHECK(polished.ok());
  CHECK(std::isnan(polished->cost));
  CHECK_EQ(polished->iterations, 5u);
  CHECK(!polished->success);
}

CHECK_MAIN()
