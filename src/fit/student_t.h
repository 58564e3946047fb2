// Quantiles of Student's t distribution for confidence intervals of fitted parameters,
// from the regularised incomplete beta function; no statistics library needed at run time.
#pragma once

namespace corvex {

// The value t with P(T <= t) = probability for T ~ Student's t with `degrees_of_freedom`
// (> 0, not necessarily an integer). NaN for a probability outside (0, 1) or non-positive
// degrees of freedom.
double student_t_quantile(double probability, double degrees_of_freedom);

// P(T <= t); NaN for non-positive degrees of freedom.
double student_t_cdf(double t, double degrees_of_freedom);

// The regularised incomplete beta function I_x(a, b) for a, b > 0 and x in [0, 1], from which
// the t and F distribution functions follow.
double regularized_incomplete_beta(double a, double b, double x);

}  // namespace corvex
