// The complex number type of the numeric core: two doubles and textbook arithmetic.
// Unlike std::complex, division is the plain formula with no scaling and no special cases.
#pragma once

namespace corvex {

struct Complex {
  double re = 0.0;
  double im = 0.0;
};

inline Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
inline Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }

// (a + jb)(c + jd) = (ac - bd) + j(ad + bc)
inline Complex operator*(Complex a, Complex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// Real factor times a complex number: both parts scaled.
inline Complex operator*(double k, Complex w) { return {k * w.re, k * w.im}; }

// (a + jb)/(c + jd) = ((ac + bd) + j(bc - ad)) / (c^2 + d^2), unscaled; a zero
// denominator gives infinities or NaN as IEEE arithmetic dictates.
inline Complex operator/(Complex a, Complex b) {
  const double den = b.re * b.re + b.im * b.im;
  return {(a.re * b.re + a.im * b.im) / den, (a.im * b.re - a.re * b.im) / den};
}

inline Complex conj(Complex z) { return {z.re, -z.im}; }

// 1 + w: real part 1 + Re w, imaginary part Im w.
inline Complex one_plus(Complex w) { return {1.0 + w.re, w.im}; }

// 1 / z formed as conj(z) / |z|^2, the way admittances of parallel branches are summed.
inline Complex reciprocal(Complex z) {
  const double den = z.re * z.re + z.im * z.im;
  return {z.re / den, -z.im / den};
}

}  // namespace corvex
