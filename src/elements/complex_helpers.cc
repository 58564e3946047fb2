// The complex functions of the impedance formulas. Branches and operation order are part of
// the results: they decide signed zeros, saturation and which cases avoid transcendentals.
#include "elements/complex_helpers.h"

#include <cmath>

namespace corvex {

Complex sqrt_principal(Complex z) {
  const double x = z.re;
  const double y = z.im;
  if (y == 0.0) {
    if (!std::signbit(x)) return {std::sqrt(x), y};
    return {0.0, std::copysign(std::sqrt(-x), y)};
  }
  if (x == 0.0) {
    const double h = std::sqrt(std::fabs(y) / 2.0);
    return y > 0.0 ? Complex{h, h} : Complex{h, -h};
  }
  const double r = std::hypot(x, y);
  const double theta = std::atan2(y, x);
  const double s = std::sqrt(r);
  return {s * std::cos(theta / 2.0), s * std::sin(theta / 2.0)};
}

Complex pow_real(Complex z, double alpha) {
  if (alpha == 1.0) return z;
  if (alpha == 0.5) return sqrt_principal(z);
  if (alpha == 0.0) return {1.0, 0.0};
  const double r = std::hypot(z.re, z.im);
  const double theta = std::atan2(z.im, z.re);
  const double m = std::pow(r, alpha);
  return {m * std::cos(alpha * theta), m * std::sin(alpha * theta)};
}

Complex tanh_limited(Complex z) {
  const double a = z.re;
  const double b = z.im;
  if (std::fabs(a) > 20.0) return {std::copysign(1.0, a), 0.0};
  const double den = std::cosh(2.0 * a) + std::cos(2.0 * b);
  return {std::sinh(2.0 * a) / den, std::sin(2.0 * b) / den};
}

CothCsch coth_csch_limited(Complex z) {
  const double x = z.re;
  const double y = z.im;
  if (std::fabs(x) > 20.0) return {{std::copysign(1.0, x), 0.0}, {0.0, 0.0}};
  const double ch = std::cosh(x);
  const double sh = std::sinh(x);
  const double c = std::cos(y);
  const double s = std::sin(y);
  const Complex cosh_beta{ch * c, sh * s};
  const Complex sinh_beta{sh * c, ch * s};
  const double mod2 = sinh_beta.re * sinh_beta.re + sinh_beta.im * sinh_beta.im;
  return {cosh_beta / sinh_beta, {sinh_beta.re / mod2, -sinh_beta.im / mod2}};
}

}  // namespace corvex
