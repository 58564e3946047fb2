// Tests of the final statistics: the two inversion methods and their singularity rules,
// the clamp, cost and chi-square, standard errors and when they are absent.
#include <cmath>
#include <limits>
#include <vector>

#include "check.h"
#include "fit/controlled_fit.h"
#include "fit/dense_inverse.h"
#include "fit/fit_outcome.h"
#include "fit_fixtures.h"

using namespace corvex;
using fit_fixtures::circuit_with;
using fit_fixtures::log_frequencies;
using fit_fixtures::spectrum_of;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A symmetric positive definite n x n matrix B^T B + I from a fixed pseudo-random B.
std::vector<double> spd_matrix(std::size_t n, unsigned seed) {
  std::vector<double> b(n * n);
  unsigned state = seed;
  for (double& v : b) {
    state = state * 1103515245u + 12345u;
    v = static_cast<double>((state >> 8) % 2001) / 1000.0 - 1.0;
  }
  std::vector<double> a(n * n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      double sum = i == j ? 1.0 : 0.0;
      for (std::size_t k = 0; k < n; ++k) sum += b[k * n + i] * b[k * n + j];
      a[i * n + j] = sum;
    }
  }
  return a;
}

double identity_error(const std::vector<double>& a, const std::vector<double>& inverse, std::size_t n) {
  double worst = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      double sum = 0.0;
      for (std::size_t k = 0; k < n; ++k) sum += a[i * n + k] * inverse[k * n + j];
      worst = std::fmax(worst, std::fabs(sum - (i == j ? 1.0 : 0.0)));
    }
  }
  return worst;
}

}  // namespace

TEST_CASE("cofactor and LU inverses agree and invert") {
  for (std::size_t n = 1; n <= 4; ++n) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
      const std::vector<double> a = spd_matrix(n, seed * 7 + static_cast<unsigned>(n));
      const auto by_cofactors = cofactor_inverse(a, n);
      const auto by_lu = lu_inverse(a, n);
      CHECK(by_cofactors && by_lu);
      if (!by_cofactors || !by_lu) continue;
      CHECK(identity_error(a, *by_cofactors, n) < 1e-12);
      for (std::size_t k = 0; k < n * n; ++k) CHECK_NEAR((*by_cofactors)[k], (*by_lu)[k], 1e-12);
    }
  }
  // Zeros on the diagonal force row exchanges.
  const std::vector<double> permuted = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 1};
  const auto inverse = dense_inverse(permuted, 5);
  CHECK(inverse.has_value());
  if (inverse) CHECK(identity_error(permuted, *inverse, 5) < 1e-12);
  const std::vector<double> a7 = spd_matrix(7, 3);
  const auto inverse7 = dense_inverse(a7, 7);
  CHECK(inverse7.has_value());
  if (inverse7) CHECK(identity_error(a7, *inverse7, 7) < 1e-10);
}

TEST_CASE("exactly singular matrices have no inverse, by either method") {
  struct Row {
    std::size_t n;
    std::vector<double> a;
  };
  const Row rows[] = {
      {1, {0.0}},
      {2, {2.0, 4.0, 1.0, 2.0}},
      {3, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {4, {1, 2, 3, 4, 2, 3, 4, 5, 1, 2, 3, 4, 9, 1, 2, 7}},
      {6, {1, 2, 3, 0, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 0, 7, 8,
           9, 1, 2, 0, 4, 5, 6, 7, 8, 0, 1, 2, 3, 4, 5, 0, 7, 8}},
  };
  for (const Row& row : rows) CHECK(!dense_inverse(row.a, row.n));
  // Near-singular matrices are inverted as they are.
  CHECK(dense_inverse(std::vector<double>{1.0, 1.0, 1.0, 1.0 + 1e-15}, 2).has_value());
}

TEST_CASE("statistics: clamp, cost, chi-square, counter and standard errors") {
  const Circuit truth = circuit_with("R0-(R1,CPE1)", {10.0, 40.0, 1e-3, 0.8});
  Spectrum spectrum = spectrum_of(truth, log_frequencies(1e-2, 1e4, 30));
  for (std::size_t i = 0; i < spectrum.impedances.size(); ++i) spectrum.impedances[i].re += (i % 2 ? 0.05 : -0.05);
  const FitProblem problem(truth.nodes, spectrum, WeightScheme::Modulus);

  // alpha above 1 is clamped to 1, a resistance below its lower bound to 1e-12.
  const FitOutcome outcome = fit_statistics(truth.nodes, {-5.0, 40.0, 1e-3, 1.7}, true, 17, problem);
  CHECK_EQ(outcome.values, (std::vector<double>{1e-12, 40.0, 1e-3, 1.0}));
  CHECK_EQ(outcome.names, (std::vector<std::string>{"R0.r", "R1.r", "CPE1.q", "CPE1.alpha"}));
  CHECK_EQ(param_values(outcome.circuit.nodes), outcome.values);
  CHECK(outcome.circuit.explicit_values);
  CHECK(outcome.success);
  CHECK_EQ(outcome.iterations, 17u);
  const FitProblem fresh(truth.nodes, spectrum, WeightScheme::Modulus);
  CHECK_SAME(outcome.cost, half_sum_of_squares(*residual_vector(fresh, outcome.values)));
  CHECK_SAME(outcome.chi_square, 2.0 * outcome.cost);
  CHECK_EQ(outcome.impedance_evals, 1u + 2u * 4u);
  CHECK(outcome.standard_errors.has_value());
  if (outcome.standard_errors) {
    CHECK_EQ(outcome.standard_errors->size(), 4u);
    for (const double e : *outcome.standard_errors) CHECK(std::isfinite(e) && e > 0.0);
  }

  // A NaN value stays NaN and makes every figure NaN.
  const FitOutcome with_nan = fit_statistics(truth.nodes, {kNaN, 40.0, 1e-3, 0.8}, false, 0, problem);
  CHECK(std::isnan(with_nan.values[0]));
  CHECK(std::isnan(with_nan.cost) && std::isnan(with_nan.chi_square));
  CHECK(!with_nan.success);
}

TEST_CASE("a fit's uncertainty reuses its statistics' Jacobian on its own problem alone, to the bit") {
  const Circuit truth = circuit_with("R0-(R1,CPE1)", {10.0, 40.0, 1e-3, 0.8});
  Spectrum spectrum = spectrum_of(truth, log_frequencies(1e-2, 1e4, 30));
  for (std::size_t i = 0; i < spectrum.impedances.size(); ++i) spectrum.impedances[i].re += (i % 2 ? 0.05 : -0.05);
  const FitProblem problem(truth.nodes, spectrum, WeightScheme::Modulus);
  const FitOutcome outcome = fit_statistics(truth.nodes, {10.5, 39.0, 1.1e-3, 0.79}, true, 0, problem);
  CHECK(outcome.final_jacobian != nullptr && outcome.final_jacobian->matches(problem, outcome.values));
  FitOutcome evaluated_afresh = outcome;
  evaluated_afresh.final_jacobian.reset();

  Spectrum shifted = spectrum;
  shifted.impedances[3].im *= 1.5;
  FitControls unit;
  unit.weighting = ResidualWeighting::Unit;
  FitControls held;
  held.fixed = {{"R0.r", 10.5}};
  struct Case {
    const Spectrum* spectrum;
    FitControls controls;
  };
  // The same problem reuses it; another weighting, another spectrum or a held value must not.
  for (const Case& c : {Case{&spectrum, {}}, Case{&spectrum, unit}, Case{&shifted, {}}, Case{&spectrum, held}}) {
    const ResolvedControls resolved = *resolve_controls(truth.nodes, c.controls);
    const FitUncertainty reused = uncertainty_of(truth.nodes, *c.spectrum, c.controls, resolved, outcome);
    const FitUncertainty fresh = uncertainty_of(truth.nodes, *c.spectrum, c.controls, resolved, evaluated_afresh);
    CHECK_EQ(reused.covariance.size(), fresh.covariance.size());
    for (std::size_t k = 0; k < fresh.covariance.size() && k < reused.covariance.size(); ++k) {
      CHECK_SAME(reused.covariance[k], fresh.covariance[k]);
    }
    CHECK_EQ(reused.standard_errors, fresh.standard_errors);
    CHECK_EQ(reused.identifiable, fresh.identifiable);
  }
}

TEST_CASE("a one-parameter fit has the textbook standard error of a mean") {
  // Z = r against real data d_i with unit weights: J is a column of ones and zeros, so
  // stderr = sqrt(chi_square / (2N - 1) / N).
  const Circuit circuit = circuit_with("R0", {5.0});
  Spectrum spectrum;
  spectrum.frequencies = {1.0, 2.0, 3.0, 4.0};
  spectrum.impedances = {{4.0, 0.0}, {6.0, 0.0}, {5.5, 0.0}, {4.5, 0.0}};
  const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Unit);
  const FitOutcome outcome = fit_statistics(circuit.nodes, {5.0}, true, 0, problem);
  CHECK_NEAR(outcome.chi_square, 2.5, 1e-15);
  CHECK(outcome.standard_errors.has_value());
  if (outcome.standard_errors) CHECK_NEAR((*outcome.standard_errors)[0], std::sqrt(2.5 / 7.0 / 4.0), 1e-9);
}

TEST_CASE("no standard errors without degrees of freedom or with a singular J^T J") {
  // One point (m = 2) against two and three parameters.
  const Circuit few_points[] = {circuit_with("R0-C1", {1.0, 1e-3}), circuit_with("R0-(R1,C1)", {1.0, 2.0, 1e-3})};
  for (const Circuit& circuit : few_points) {
    Spectrum spectrum;
    spectrum.frequencies = {10.0};
    spectrum.impedances = {{2.0, -1.0}};
    const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Modulus);
    const FitOutcome outcome = fit_statistics(circuit.nodes, param_values(circuit.nodes), true, 0, problem);
    CHECK(!outcome.standard_errors);
    CHECK(std::isfinite(outcome.cost));
    CHECK_SAME(outcome.chi_square, outcome.cost + outcome.cost);
  }
  // Two equal resistors in series have identical Jacobian columns: J^T J is exactly singular.
  const Circuit twins = circuit_with("R0-R1", {3.0, 3.0});
  const Spectrum spectrum = spectrum_of(circuit_with("R0", {5.0}), log_frequencies(1.0, 100.0, 10));
  const FitProblem problem(twins.nodes, spectrum, WeightScheme::Modulus);
  const FitOutcome outcome = fit_statistics(twins.nodes, {3.0, 3.0}, true, 0, problem);
  CHECK(!outcome.standard_errors);
  CHECK(outcome.cost > 0.0);
}

CHECK_MAIN()
