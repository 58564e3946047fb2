// The last step of every fit: clamp the final point into its bounds and report cost,
// chi-square and standard errors from the inverse of J^T J at that point.
#include "fit/fit_outcome.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>

#include "fit/dense_inverse.h"
#include "fit/resolution_threshold.h"

namespace corvex {
namespace {

// std::max/std::min return their first argument when a comparison is false, so NaN stays NaN.
double clamp_into(double x, const ParamBounds& b) { return std::min(std::max(x, b.lo), b.hi); }

// Whether `inverse` of the symmetric positive semi-definite `normal` carries information.
// The test is made on both scaled to a unit diagonal of `normal`, so parameter units do not
// enter, and is the same whichever method inverted the matrix: the 1-norm reciprocal
// condition number must reach `min_condition`, and the inverse's diagonal must be
// positive, as it is for every positive definite matrix. Non-finite entries are left to show
// in the standard errors as arithmetic makes them.
bool meaningful_inverse(const std::vector<double>& normal, const std::vector<double>& inverse, std::size_t n,
                        double min_condition) {
  for (std::size_t k = 0; k < n * n; ++k) {
    if (!std::isfinite(normal[k]) || !std::isfinite(inverse[k])) return true;
  }
  std::vector<double> scale(n);
  for (std::size_t j = 0; j < n; ++j) {
    if (normal[j * n + j] <= 0.0 || inverse[j * n + j] <= 0.0) return false;
    scale[j] = std::sqrt(normal[j * n + j]);
  }
  double norm = 0.0;
  double inverse_norm = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    double column = 0.0;
    double inverse_column = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      const double product = scale[i] * scale[j];
      column += std::fabs(normal[i * n + j]) / product;
      inverse_column += std::fabs(inverse[i * n + j]) * product;
    }
    norm = std::fmax(norm, column);
    inverse_norm = std::fmax(inverse_norm, inverse_column);
  }
  return !(1.0 / (norm * inverse_norm) < min_condition);
}

// sqrt(chi_square / (m - n) * C_jj) for every j, or nothing when J^T J cannot be inverted
// meaningfully or there are no degrees of freedom left.
std::optional<std::vector<double>> standard_errors(const std::vector<double>& jacobian, std::size_t m,
                                                   std::size_t n, double chi_square, double min_condition) {
  const double degrees_of_freedom = static_cast<double>(m) - static_cast<double>(n);
  if (degrees_of_freedom <= 0.0) return std::nullopt;

  // J is column-major, so each entry of J^T J is a dot product of two contiguous columns.
  std::vector<double> normal(n * n);
  for (std::size_t a = 0; a < n; ++a) {
    const double* column_a = jacobian.data() + a * m;
    for (std::size_t b = a; b < n; ++b) {
      const double* column_b = jacobian.data() + b * m;
      double sum = 0.0;
      for (std::size_t k = 0; k < m; ++k) sum += column_a[k] * column_b[k];
      normal[a * n + b] = sum;
      normal[b * n + a] = sum;
    }
  }

  std::optional<std::vector<double>> covariance = dense_inverse(normal, n);
  if (!covariance || !meaningful_inverse(normal, *covariance, n, min_condition)) return std::nullopt;
  std::vector<double> errors(n);
  for (std::size_t j = 0; j < n; ++j) errors[j] = std::sqrt(chi_square / degrees_of_freedom * (*covariance)[j * n + j]);
  return errors;
}

// Bit for bit, so that equal inputs are exactly those that give the same evaluations (a
// signed zero counts as different, a NaN as equal to itself).
template <class T>
bool same_bits(std::span<const T> a, std::span<const T> b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}

}  // namespace

bool FinalJacobian::matches(const FitProblem& problem, std::span<const double> x) const {
  return jacobian.size() == values.size() * problem.residual_count() && same_bits<double>(values, x) &&
         same_bits<double>(omega, problem.omega) && same_bits<Complex>(measured, problem.measured) &&
         same_bits<double>(weights, problem.weights) && same_bits<double>(imaginary_weights, problem.imaginary_weights);
}

FitOutcome fit_statistics(const SeriesList& circuit, std::vector<double> x, bool success,
                          std::uint64_t iterations, const FitProblem& problem) {
  const std::vector<ParamBounds> bounds = param_bounds(circuit);
  const std::size_t clamped = std::min(bounds.size(), x.size());
  for (std::size_t i = 0; i < clamped; ++i) x[i] = clamp_into(x[i], bounds[i]);

  // Every method hands over a full vector; a short one is completed with NaN so that the
  // figures come out NaN instead of reading past its end.
  if (x.size() < bounds.size()) x.resize(bounds.size(), std::numeric_limits<double>::quiet_NaN());

  FitOutcome outcome;
  outcome.circuit = Circuit{rebuild_with_values(circuit, x.data()), true};
  outcome.names = param_names(circuit);
  outcome.iterations = iterations;
  outcome.success = success;

  const Result<std::vector<double>> residuals = residual_vector(problem, x);
  outcome.cost = residuals.ok() ? half_sum_of_squares(*residuals) : std::numeric_limits<double>::quiet_NaN();
  outcome.chi_square = outcome.cost + outcome.cost;

  std::vector<double> jacobian;
  if (residuals.ok() && central_difference_jacobian(problem, x, &jacobian)) {
    std::vector<std::size_t> params(x.size());
    for (std::size_t j = 0; j < params.size(); ++j) params[j] = j;
    const double noise = largest_column_noise(problem, x, *residuals, jacobian, params);
    outcome.standard_errors = standard_errors(jacobian, problem.residual_count(), x.size(), outcome.chi_square,
                                              min_reciprocal_condition(noise));
    outcome.final_jacobian = std::make_shared<const FinalJacobian>(
        FinalJacobian{x, std::move(jacobian), noise, problem.omega, problem.measured, problem.weights,
                      problem.imaginary_weights});
  }

  outcome.values = std::move(x);
  outcome.impedance_evals = problem.counter.value();
  return outcome;
}

}  // namespace corvex
