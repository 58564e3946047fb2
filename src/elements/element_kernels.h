// Per-kind impedance formulas as inline kernels, shared by the single-frequency evaluation
// and the plan that evaluates one element over many frequencies. Both must give identical bits.
#pragma once

#include <cmath>

#include "elements/complex_helpers.h"
#include "elements/element.h"
#include "elements/element_impedance.h"
#include "util/complex.h"

namespace corvex::kernels {

// atan2(y, +0) for y > 0: the angle of a point on the positive imaginary axis.
inline constexpr double kQuarterTurn = 1.5707963267948966;

// What pow_real(z, alpha) needs that depends on alpha alone, computed once per evaluation.
struct PowerOfImaginary {
  double alpha;
  double cos_part;  // cos(alpha * pi/2)
  double sin_part;  // sin(alpha * pi/2)
};

inline PowerOfImaginary power_of_imaginary(double alpha) {
  return {alpha, std::cos(alpha * kQuarterTurn), std::sin(alpha * kQuarterTurn)};
}

// pow_real(z, alpha) with the angle shortcut for z on the positive imaginary axis (Re z = +0,
// Im z > 0), where hypot gives Im z and atan2 gives exactly pi/2; elsewhere the general form.
inline Complex pow_real_hoisted(Complex z, const PowerOfImaginary& p) {
  if (p.alpha == 1.0) return z;
  if (p.alpha == 0.5) return sqrt_principal(z);
  if (p.alpha == 0.0) return {1.0, 0.0};
  if (z.re == 0.0 && !std::signbit(z.re) && z.im > 0.0) {
    const double m = std::pow(z.im, p.alpha);
    return {m * p.cos_part, m * p.sin_part};
  }
  return pow_real(z, p.alpha);
}

// pow_real(j*omega, alpha), reusing the cached sqrt_principal(j*omega) for alpha = 0.5.
inline Complex pow_j_omega(const OmegaPoint& w, const PowerOfImaginary& p) {
  if (p.alpha == 0.5) return w.sqrt_j_omega;
  return pow_real_hoisted({0.0, w.omega}, p);
}

// j*omega times a real value, scaling both parts of j*omega.
inline Complex j_omega_times(const OmegaPoint& w, double k) { return {k * 0.0, k * w.omega}; }

inline Complex resistor(const double* v) { return {v[0], 0.0}; }

inline Complex capacitor(const double* v, const OmegaPoint& w) {
  return Complex{1.0, 0.0} / j_omega_times(w, v[0]);
}

inline Complex inductor(const double* v, const OmegaPoint& w) { return j_omega_times(w, v[0]); }

inline Complex anomalous_inductor(const double* v, const OmegaPoint& w) {
  return pow_real(j_omega_times(w, v[0]), v[1]);
}

inline Complex constant_phase(const double* v, const OmegaPoint& w, const PowerOfImaginary& p) {
  return Complex{1.0, 0.0} / (v[0] * pow_j_omega(w, p));
}

inline Complex warburg(const double* v, const OmegaPoint& w) {
  const double part = v[0] * w.sqrt_omega / w.sqrt_omega_sq;
  return {part, -part};
}

inline Complex warburg_open(const double* v, const OmegaPoint& w) {
  const Complex u = sqrt_principal(j_omega_times(w, v[1]));
  return Complex{v[0], 0.0} / (u * tanh_limited(u));
}

inline Complex warburg_short(const double* v, const OmegaPoint& w) {
  const Complex u = sqrt_principal(j_omega_times(w, v[1]));
  return (v[0] * tanh_limited(u)) / u;
}

inline Complex gerischer(const double* v, const OmegaPoint& w) {
  return Complex{v[0], 0.0} / sqrt_principal(one_plus(j_omega_times(w, v[1])));
}

inline Complex gerischer_finite(const double* v, const OmegaPoint& w) {
  const Complex u = sqrt_principal(one_plus(j_omega_times(w, v[1])));
  return Complex{v[0], 0.0} / (u * tanh_limited(v[2] * u));
}

inline Complex rc_pair(const double* v, const OmegaPoint& w) {
  return Complex{v[0], 0.0} / one_plus(j_omega_times(w, v[1]));
}

inline Complex zarc(const double* v, const OmegaPoint& w, const PowerOfImaginary& p) {
  return Complex{v[0], 0.0} / one_plus(pow_real_hoisted(j_omega_times(w, v[1]), p));
}

inline Complex transmission_line_cpe(const double* v, const OmegaPoint& w, const PowerOfImaginary& p) {
  const double r_ion = v[0];
  const Complex zq = Complex{1.0, 0.0} / (v[1] * pow_j_omega(w, p));
  const double mod2 = zq.re * zq.re + zq.im * zq.im;
  const Complex scaled = r_ion * conj(zq);
  const Complex ratio{scaled.re / mod2, scaled.im / mod2};
  return sqrt_principal(r_ion * zq) / tanh_limited(sqrt_principal(ratio));
}

inline Complex transmission_line(const double* v, const OmegaPoint& w) {
  const Complex jwt = j_omega_times(w, v[3]);
  const Complex beta = sqrt_principal({v[2] + jwt.re, jwt.im});
  const CothCsch cc = coth_csch_limited(beta);
  return (v[0] * cc.coth) / beta + (v[1] * cc.csch) / beta;
}

// Index of the value that a kind raises j*omega (times something) to, or -1.
inline int power_index(ElementKind kind) {
  switch (kind) {
    case ElementKind::Cpe: return 1;
    case ElementKind::Zarc: return 2;
    case ElementKind::Tlmq: return 2;
    default: return -1;
  }
}

// One element at one frequency; `p` is power_of_imaginary(v[power_index(kind)]) when the kind
// has a power index and unused otherwise.
inline Complex evaluate(ElementKind kind, const double* v, const OmegaPoint& w, const PowerOfImaginary& p) {
  switch (kind) {
    case ElementKind::R: return resistor(v);
    case ElementKind::C: return capacitor(v, w);
    case ElementKind::L: return inductor(v, w);
    case ElementKind::La: return anomalous_inductor(v, w);
    case ElementKind::Cpe: return constant_phase(v, w, p);
    case ElementKind::W: return warburg(v, w);
    case ElementKind::Wo: return warburg_open(v, w);
    case ElementKind::Ws: return warburg_short(v, w);
    case ElementKind::G: return gerischer(v, w);
    case ElementKind::Gs: return gerischer_finite(v, w);
    case ElementKind::K: return rc_pair(v, w);
    case ElementKind::Zarc: return zarc(v, w, p);
    case ElementKind::Tlmq: return transmission_line_cpe(v, w, p);
    case ElementKind::T: return transmission_line(v, w);
  }
  return {0.0, 0.0};
}

}  // namespace corvex::kernels
