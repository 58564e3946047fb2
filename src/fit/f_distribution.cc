// F quantiles by bisection on the distribution function, the regularised incomplete beta
// function that Student's t quantiles use as well.
#include "fit/f_distribution.h"

#include <limits>

#include "fit/student_t.h"

namespace corvex {

double f_quantile(double probability, double numerator_degrees, double denominator_degrees) {
  if (!(probability > 0.0 && probability < 1.0) || !(numerator_degrees > 0.0) || !(denominator_degrees > 0.0)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // P(X <= F) = I_x(d1 / 2, d2 / 2) at x = d1 F / (d1 F + d2), which increases with x; bisect
  // for x, then invert. A selection needs a handful of quantiles, so certainty beats speed.
  const double a = 0.5 * numerator_degrees;
  const double b = 0.5 * denominator_degrees;
  double lo = 0.0;
  double hi = 1.0;
  for (int i = 0; i < 200 && lo < hi; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (mid <= lo || mid >= hi) break;
    if (regularized_incomplete_beta(a, b, mid) < probability) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const double x = 0.5 * (lo + hi);
  return denominator_degrees * x / (numerator_degrees * (1.0 - x));
}

}  // namespace corvex
