// Student's t quantiles by bisection on the distribution function, which comes from the
// regularised incomplete beta function evaluated by its continued fraction (modified Lentz).
#include "fit/student_t.h"

#include <cmath>
#include <limits>

namespace corvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiny = 1e-300;
constexpr int kMaxTerms = 10000;

double log_gamma(double x) {
  int sign = 0;
  return lgamma_r(x, &sign);  // the reentrant form: std::lgamma writes a process-wide sign
}

// Continued fraction of I_x(a, b) (Abramowitz and Stegun 26.5.8), converging for
// x < (a + 1) / (a + b + 2).
double beta_fraction(double a, double b, double x) {
  double c = 1.0;
  double d = 1.0 - (a + b) * x / (a + 1.0);
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= kMaxTerms; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    h *= d * c;
    aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
    d = 1.0 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < 1e-16) break;
  }
  return h;
}

}  // namespace

double regularized_incomplete_beta(double a, double b, double x) {
  if (x <= 0.0) return 0.0;
  if (x >= 1.0) return 1.0;
  const double front = std::exp(log_gamma(a + b) - log_gamma(a) - log_gamma(b) + a * std::log(x) +
                                b * std::log1p(-x));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * beta_fraction(a, b, x) / a;
  return 1.0 - front * beta_fraction(b, a, 1.0 - x) / b;
}

double student_t_cdf(double t, double degrees_of_freedom) {
  if (!(degrees_of_freedom > 0.0) || std::isnan(t)) return kNaN;
  if (std::isinf(t)) return t > 0 ? 1.0 : 0.0;
  const double nu = degrees_of_freedom;
  // P(|T| > |t|) = I_{nu / (nu + t^2)}(nu / 2, 1 / 2).
  const double tail = 0.5 * regularized_incomplete_beta(0.5 * nu, 0.5, nu / (nu + t * t));
  return t >= 0.0 ? 1.0 - tail : tail;
}

double student_t_quantile(double probability, double degrees_of_freedom) {
  if (!(probability > 0.0 && probability < 1.0) || !(degrees_of_freedom > 0.0)) return kNaN;
  if (probability == 0.5) return 0.0;
  const double nu = degrees_of_freedom;
  // For the upper quantile t, the tail 2 (1 - p) equals I_x(nu / 2, 1 / 2) at x = nu / (nu + t^2),
  // which increases with x; bisect for x, then invert. Bisection is slow but certain, and a
  // fit needs one quantile.
  const double upper = probability > 0.5 ? probability : 1.0 - probability;
  const double target = 2.0 * (1.0 - upper);
  double lo = 0.0;
  double hi = 1.0;
  for (int i = 0; i < 200 && lo < hi; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (mid <= lo || mid >= hi) break;
    if (regularized_incomplete_beta(0.5 * nu, 0.5, mid) < target) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const double x = 0.5 * (lo + hi);
  const double t = std::sqrt(nu * (1.0 - x) / x);
  return probability > 0.5 ? t : -t;
}

}  // namespace corvex
