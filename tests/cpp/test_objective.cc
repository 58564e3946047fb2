// Tests of the fitting objective: residual layout and weights, identity with per-frequency
// evaluation, the evaluation counter, Jacobian steps and derivatives, solver coordinates.
#include <cmath>
#include <limits>
#include <vector>

#include "check.h"
#include "fit/objective.h"
#include "fit/solver_coordinates.h"
#include "fit_fixtures.h"

using namespace corvex;
using fit_fixtures::circuit_with;
using fit_fixtures::log_frequencies;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kStepFactor = 6.0554544523933395e-06;

std::vector<double> residuals(const FitProblem& problem, const std::vector<double>& x) {
  Result<std::vector<double>> r = residual_vector(problem, x);
  CHECK(r.ok());
  return r.ok() ? *r : std::vector<double>{};
}

}  // namespace

TEST_CASE("weight keywords are exact and the refusal quotes the keyword") {
  CHECK(parse_weight_scheme("modulus") == WeightScheme::Modulus);
  CHECK(parse_weight_scheme("unit") == WeightScheme::Unit);
  for (const char* refused : {"Modulus", "", "unit ", "UNIT"}) CHECK(!parse_weight_scheme(refused));
  CHECK_EQ(unknown_weight_scheme_message("Mod\"ulus"),
           std::string("unknown weight scheme \"Mod\\\"ulus\", expected \"modulus\" or \"unit\""));
}

TEST_CASE("residuals are interleaved model minus measured over the measured point's weight") {
  const Circuit r10 = circuit_with("R0", {10.0});
  Spectrum spectrum;
  spectrum.frequencies = {1.0, 2.0, 3.0, 4.0};
  spectrum.impedances = {{3.0, 4.0}, {0.0, 0.0}, {kNaN, 1.0}, {-6.0, -8.0}};

  struct Row {
    WeightScheme scheme;
    std::vector<double> expected;
  };
  const Row rows[] = {
      {WeightScheme::Unit, {7.0, -4.0, 10.0, 0.0, kNaN, -1.0, 16.0, 8.0}},
      // |3+4j| = 5; a zero modulus and a NaN modulus both fall back to 1e-30; |-6-8j| = 10.
      {WeightScheme::Modulus, {7.0 / 5.0, -4.0 / 5.0, 10.0 / 1e-30, 0.0, kNaN, -1.0 / 1e-30, 1.6, 0.8}},
  };
  for (const Row& row : rows) {
    const FitProblem problem(r10.nodes, spectrum, row.scheme);
    const std::vector<double> r = residuals(problem, {10.0});
    CHECK_EQ(r.size(), row.expected.size());
    for (std::size_t k = 0; k < r.size() && k < row.expected.size(); ++k) CHECK_SAME(r[k], row.expected[k]);
  }
}

TEST_CASE("residuals are bit-identical to per-frequency evaluation, across chunk boundaries") {
  struct Row {
    const char* notation;
    std::vector<double> values;
  };
  const Row rows[] = {
      {"R0-(R1-W1,CPE1)", {12.0, 40.0, 85.0, 2e-5, 0.83}},
      {"R0-(R1,CPE1)-(R2,CPE2)", {5.0, 20.0, 1e-4, 0.9, 60.0, 3e-3, 0.5}},
      {"L0-R0-(R1,Wo1)-(Zarc1,Gs1)-Tlmq1", {1e-6, 2.0, 3.0, 4.0, 5.0, 6.0, 1e-3, 0.7, 1.0, 2.0, 0.5, 3.0, 1e-2, 0.6}},
      {"(K1,Ws1,La1)-T1", {1.0, 1e-3, 2.0, 3.0, 1e-5, 0.9, 1.0, 2.0, 0.5, 1e-2}},
  };
  const std::vector<double> f = log_frequencies(1e-3, 1e6, 1000);
  Spectrum spectrum;
  spectrum.frequencies = f;
  for (std::size_t i = 0; i < f.size(); ++i) spectrum.impedances.push_back({1.0 + 0.01 * i, -2.0 + 0.003 * i});

  for (const Row& row : rows) {
    const Circuit circuit = circuit_with(row.notation, row.values);
    const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Modulus);
    const std::vector<double> r = residuals(problem, row.values);
    CHECK_EQ(r.size(), 2 * f.size());
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < f.size() && r.size() == 2 * f.size(); ++i) {
      Result<Complex> z = impedance_from_iter(circuit.nodes, kTwoPi * f[i], row.values.data(), row.values.size());
      CHECK(z.ok());
      const double w = std::fmax(std::hypot(spectrum.impedances[i].re, spectrum.impedances[i].im), 1e-30);
      if (!check::same_bits(r[2 * i], (z->re - spectrum.impedances[i].re) / w)) ++mismatches;
      if (!check::same_bits(r[2 * i + 1], (z->im - spectrum.impedances[i].im) / w)) ++mismatches;
    }
    CHECK_EQ(mismatches, 0u);
  }
}

TEST_CASE("a short parameter vector fails, a long one has its surplus ignored") {
  const Circuit circuit = circuit_with("R0-(R1,C1)", {1.0, 2.0, 3e-3});
  const Spectrum spectrum = fit_fixtures::spectrum_of(circuit, log_frequencies(0.1, 1e3, 7));
  const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Modulus);

  Result<std::vector<double>> short_x = residual_vector(problem, std::vector<double>{1.0, 2.0});
  CHECK(!short_x.ok());
  if (!short_x.ok()) {
    CHECK_EQ(short_x.error().message, std::string("impedance_from_iter: not enough values supplied"));
    CHECK(short_x.error().kind == ErrorKind::Internal);
  }

  const std::vector<double> exact = residuals(problem, {1.5, 2.5, 1e-3});
  const std::vector<double> longer = residuals(problem, {1.5, 2.5, 1e-3, 99.0, kNaN});
  CHECK(exact == longer);

  std::vector<double> jacobian;
  CHECK(central_difference_jacobian(problem, std::vector<double>{1.5, 2.5, 1e-3, 99.0}, &jacobian).ok());
  CHECK_EQ(jacobian.size(), 4 * problem.residual_count());
  for (std::size_t k = 3 * problem.residual_count(); k < jacobian.size(); ++k) CHECK_SAME(jacobian[k], 0.0);

  CHECK(!central_difference_jacobian(problem, std::vector<double>{1.5}, &jacobian).ok());
  CHECK(central_difference_jacobian(problem, std::vector<double>{}, &jacobian).ok());
  CHECK(jacobian.empty());
}

TEST_CASE("the counter counts whole residual vectors: one per vector, 2P per Jacobian") {
  const Circuit circuit = circuit_with("R0-(R1,C1)", {1.0, 2.0, 3e-3});
  const std::vector<double> x = {1.0, 2.0, 3e-3};
  // Large enough for the columns to go to the worker pool.
  const Spectrum spectrum = fit_fixtures::spectrum_of(circuit, log_frequencies(0.1, 1e3, 2000));
  const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Modulus);
  residuals(problem, x);
  CHECK_EQ(problem.counter.value(), 1u);
  std::vector<double> column(problem.residual_count());
  CHECK(jacobian_column(problem, x, 1, column).ok());
  CHECK_EQ(problem.counter.value(), 3u);
  std::vector<double> jacobian;
  CHECK(central_difference_jacobian(problem, x, &jacobian).ok());
  CHECK_EQ(problem.counter.value(), 9u);
  // The pool collects columns in parameter order.
  for (std::size_t k = 0; k < column.size(); ++k) CHECK_SAME(jacobian[column.size() + k], column[k]);

  // An empty spectrum still counts its (empty) evaluations.
  const FitProblem empty(circuit.nodes, Spectrum{}, WeightScheme::Modulus);
  CHECK(residuals(empty, x).empty());
  CHECK(central_difference_jacobian(empty, x, &jacobian).ok());
  CHECK(jacobian.empty());
  CHECK_EQ(empty.counter.value(), 7u);
}

TEST_CASE("the Jacobian step is c * max(|x_j|, 1e-8)") {
  // A capacitor's residual is nonlinear in c, so the column reveals the step it was taken with.
  const Circuit circuit = circuit_with("C0", {1.0});
  Spectrum spectrum;
  spectrum.frequencies = {0.3, 7.0};
  spectrum.impedances = {{0.5, -2.0}, {0.1, -0.25}};
  const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Unit);

  struct Row {
    double x;
    double step;
  };
  const Row rows[] = {
      {0.0, kStepFactor * 1e-8}, {1e6, kStepFactor * 1e6},   {-3.0, kStepFactor * 3.0},
      {1e-9, kStepFactor * 1e-8}, {kNaN, kStepFactor * 1e-8},
  };
  for (const Row& row : rows) {
    std::vector<double> column(problem.residual_count());
    CHECK(jacobian_column(problem, std::vector<double>{row.x}, 0, column).ok());
    const std::vector<double> plus = residuals(problem, {row.x + row.step});
    const std::vector<double> minus = residuals(problem, {row.x - row.step});
    for (std::size_t k = 0; k < column.size(); ++k) CHECK_SAME(column[k], (plus[k] - minus[k]) / (2.0 * row.step));
  }
}

TEST_CASE("the Jacobian of R0-(R1,C1) matches its analytic derivative") {
  const double r0 = 3.0, r1 = 50.0, c1 = 2e-4;
  const Circuit circuit = circuit_with("R0-(R1,C1)", {r0, r1, c1});
  Spectrum spectrum;
  spectrum.frequencies = log_frequencies(1e-2, 1e4, 40);
  spectrum.impedances.assign(40, Complex{1.0, -1.0});
  const FitProblem problem(circuit.nodes, spectrum, WeightScheme::Unit);

  std::vector<double> jacobian;
  CHECK(central_difference_jacobian(problem, std::vector<double>{r0, r1, c1}, &jacobian).ok());
  const std::size_t m = problem.residual_count();
  CHECK_EQ(jacobian.size(), 3 * m);
  for (std::size_t i = 0; i < spectrum.frequencies.size() && jacobian.size() == 3 * m; ++i) {
    // Z = R0 + R1 / (1 + j w R1 C1): dZ/dR1 = 1 / D^2, dZ/dC1 = -j w R1^2 / D^2.
    const double w = problem.omega[i];
    const Complex d = {1.0, w * r1 * c1};
    const Complex d2 = d * d;
    const Complex d_r1 = Complex{1.0, 0.0} / d2;
    const Complex d_c1 = Complex{0.0, -w * r1 * r1} / d2;
    const Complex expected[] = {{1.0, 0.0}, d_r1, d_c1};
    const double steps[] = {kStepFactor * r0, kStepFactor * r1, kStepFactor * c1};
    for (std::size_t j = 0; j < 3; ++j) {
      // Truncation error is O(h^2); rounding of residuals of size ~|Z| adds eps |Z| / h.
      const double rounding = 4e-16 * (r0 + r1 + 1.0) / steps[j];
      const double tolerance = 1e-7 * (std::fabs(expected[j].re) + std::fabs(expected[j].im)) + rounding;
      CHECK_NEAR(jacobian[j * m + 2 * i], expected[j].re, tolerance);
      CHECK_NEAR(jacobian[j * m + 2 * i + 1], expected[j].im, tolerance);
    }
  }

  for (std::size_t j = 0; j < 3; ++j) {
    std::vector<double> column(m);
    CHECK(jacobian_column(problem, std::vector<double>{r0, r1, c1}, j, column).ok());
    for (std::size_t k = 0; k < m; ++k) CHECK_SAME(jacobian[j * m + k], column[k]);
  }
}

TEST_CASE("solver coordinates: decades above lo for open bounds, identity otherwise") {
  const std::vector<ParamBounds> bounds = {{1e-12, kInf}, {0.0, 1.0}, {1e-12, kNaN}, {1e-12, kInf}};
  const std::vector<double> x = {1e-12 + 1e3, 0.25, 1e-12 + 1e-2, 1e-13};
  const std::vector<double> y = to_solver(x, bounds);
  CHECK_EQ(y.size(), 4u);
  CHECK_NEAR(y[0], 3.0, 1e-15);
  CHECK_SAME(y[1], 0.25);
  CHECK_NEAR(y[2], -2.0, 1e-15);
  CHECK_SAME(y[3], -300.0);  // below the lower bound
  CHECK_SAME(to_solver(std::vector<double>{kNaN}, bounds)[0], -300.0);

  const std::vector<double> back = from_solver(std::vector<double>{3.0, 0.25, -2.0}, bounds);
  CHECK_EQ(back.size(), 3u);
  CHECK_SAME(back[0], 1e-12 + std::pow(10.0, 3.0));
  CHECK_SAME(back[1], 0.25);
  CHECK_SAME(back[2], 1e-12 + std::pow(10.0, -2.0));

  // Only min(bounds, vector) entries are transformed.
  CHECK_EQ(to_solver(std::vector<double>{1.0, 0.5, 2.0, 3.0, 4.0}, bounds).size(), 4u);
  CHECK_EQ(from_solver(std::vector<double>{1.0}, bounds).size(), 1u);
}

CHECK_MAIN()
