// The threshold of resolvable directions: a fixed floor on the reciprocal condition number,
// and the rounding noise of the central-difference columns that can raise it.
#include "fit/resolution_threshold.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace corvex {
namespace {

// Dependent columns decorrelated by noise of relative size e reach a reciprocal condition of at
// most e^2 / 230 in the measurement (1 / 99 of e^2 for the squared singular-value ratio), and
// fits that determine every parameter stay above 1e7 e^2: twice e^2 keeps a hundredfold margin.
constexpr double kNoiseShare = 2.0;

}  // namespace

double largest_column_noise(const FitProblem& problem, std::span<const double> x, std::span<const double> residuals,
                            std::span<const double> jacobian, std::span<const std::size_t> params) {
  const std::size_t m = problem.residual_count();
  if (residuals.size() < m || jacobian.size() < m * params.size()) return std::numeric_limits<double>::quiet_NaN();
  double magnitude = 0.0;  // || |r| + |Z_measured| / w ||
  for (std::size_t i = 0; i < problem.point_count(); ++i) {
    const double modulus = std::hypot(problem.measured[i].re, problem.measured[i].im);
    const double re = std::fabs(residuals[2 * i]) + modulus / problem.weights[i];
    const double im = std::fabs(residuals[2 * i + 1]) + modulus / problem.imaginary_weights[i];
    magnitude += re * re + im * im;
  }
  magnitude = std::sqrt(magnitude);
  double largest = 0.0;
  for (std::size_t c = 0; c < params.size(); ++c) {
    double norm = 0.0;
    for (std::size_t k = 0; k < m; ++k) norm += jacobian[c * m + k] * jacobian[c * m + k];
    // A zero column is a parameter the data cannot see at all; both consumers mark it so.
    if (!(norm > 0.0)) continue;
    const double noise = 0.5 * DBL_EPSILON * magnitude / jacobian_step(x[params[c]]);
    largest = std::fmax(largest, noise / std::sqrt(norm));
  }
  return largest;
}

double min_reciprocal_condition(double largest_noise) {
  // fmax ignores NaN: without a noise figure the fixed floor stands.
  return std::fmax(kMinReciprocalCondition, kNoiseShare * largest_noise * largest_noise);
}

}  // namespace corvex
