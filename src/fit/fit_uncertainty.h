// How far to trust each fitted value: covariance and correlation of the free parameters,
// standard errors, t-based 95 % intervals and a per-parameter identifiability flag.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "fit/objective.h"
#include "fit/resolution_threshold.h"

namespace corvex {

struct FitUncertainty {
  // n x n row-major over every parameter. Held parameters have zero rows and columns (they
  // do not vary); parameters in a direction the data cannot resolve have NaN ones.
  std::vector<double> covariance;
  // The covariance scaled to unit diagonal; NaN rows and columns where the covariance has
  // no finite variance to scale by (held or unresolved parameters).
  std::vector<double> correlation;
  // Absent for held parameters and when no estimate exists (m <= n free, non-finite figures);
  // infinite for a parameter in a direction the data cannot resolve; never exactly 0.
  std::vector<std::optional<double>> standard_errors;
  std::vector<double> interval_low;   // value - t * stderr, NaN where stderr is absent
  std::vector<double> interval_high;  // value + t * stderr
  // False when the Jacobian is numerically rank-deficient in a direction involving the
  // parameter or its relative standard error exceeds 1; false for held parameters.
  std::vector<bool> identifiable;
  double degrees_of_freedom = 0.0;    // residuals minus free parameters
  double t_quantile = 0.0;            // the 97.5 % quantile of Student's t at those degrees
};

// Two-sided confidence of the reported intervals.
inline constexpr double kIntervalConfidence = 0.95;

// From the Jacobian of the free parameters (column-major, m rows, one column per entry of
// `held` that is false, in parameter order) at the final values x, and the chi-square there.
// The covariance is s^2 (J^T J)^-1 with s^2 = chi_square / (m - free), by singular values; a
// direction whose squared singular value is below `min_reciprocal_condition` times the largest
// one's is unresolved (the rule of resolution_threshold.h, as for every fit's standard errors).
FitUncertainty fit_uncertainty(std::span<const double> free_jacobian, std::size_t m, std::span<const double> x,
                               const std::vector<bool>& held, double chi_square,
                               double min_reciprocal_condition = kMinReciprocalCondition);

// Evaluates the Jacobian of the free parameters at x (2 per free parameter on the problem's
// counter) and returns fit_uncertainty of it.
FitUncertainty uncertainty_at(const FitProblem& problem, std::span<const double> x, const std::vector<bool>& held,
                              double chi_square);

}  // namespace corvex
