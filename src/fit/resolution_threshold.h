// When the data determine the parameters of a fit: the reciprocal condition number of the
// column-scaled J^T J below which they do not, raised where a Jacobian column is rounding noise.
#pragma once

#include <cstddef>
#include <span>

#include "fit/objective.h"

namespace corvex {

// For exactly dependent parameters the estimate of the reciprocal condition number from the
// formed and inverted J^T J lands anywhere from 1e-26 to a dozen machine epsilons, depending on
// rounding; converged fits that determine every parameter sit above 1e-5. This threshold keeps a
// hundredfold margin above the first (benchmarks/measure_condition_threshold.py).
inline constexpr double kMinReciprocalCondition = 1e-12;

// Largest relative rounding noise among the central-difference columns of the Jacobian at x
// (column-major, residual_count() rows, column c the derivative by parameter params[c]): two
// residual evaluations rounded to about u * (|r_k| + |Z_measured|/w_k) each, differenced over
// 2 h, against the column's norm. A parameter whose whole effect over its step is near the
// rounding of the model (a resistance driven to 1e-12 ohm beside tens of ohms) has a column of
// noise, which hides any dependence on the others. Zero columns are left out.
double largest_column_noise(const FitProblem& problem, std::span<const double> x, std::span<const double> residuals,
                            std::span<const double> jacobian, std::span<const std::size_t> params);

// The threshold at a point: kMinReciprocalCondition, or twice the square of the largest column
// noise when that is higher, since noise of relative size e lifts the reciprocal condition of
// dependent columns off zero to as much as e^2 / 100.
double min_reciprocal_condition(double largest_noise);

}  // namespace corvex
