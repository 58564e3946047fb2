// Quantiles of Fisher's F distribution, for deciding whether one fit's lower cost is more
// than the noise of the measurement can explain.
#pragma once

namespace corvex {

// The value F with P(X <= F) = probability for X ~ F(numerator, denominator degrees of
// freedom), both > 0 and not necessarily integers. NaN for a probability outside (0, 1) or
// non-positive degrees of freedom.
double f_quantile(double probability, double numerator_degrees, double denominator_degrees);

}  // namespace corvex
