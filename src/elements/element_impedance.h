// Impedance of one element at one angular frequency, from a pointer to its values (either
// an Element's own storage or a running position in a flat parameter vector).
#pragma once

#include "elements/element.h"
#include "util/complex.h"

namespace corvex {

// Quantities of one angular frequency shared by every element evaluated at it.
struct OmegaPoint {
  double omega = 0.0;
  double sqrt_omega = 0.0;     // sqrt(omega)
  double sqrt_omega_sq = 0.0;  // sqrt(omega) * sqrt(omega), not omega itself
  Complex sqrt_j_omega;        // sqrt_principal(j * omega); serves pow_real(j omega, 0.5)
};

OmegaPoint make_omega_point(double omega);

// Z(omega) of an element of `kind` whose param_count(kind) values start at `values`.
Complex element_impedance(ElementKind kind, const double* values, const OmegaPoint& point);

inline Complex element_impedance(const Element& element, const OmegaPoint& point) {
  return element_impedance(element.kind, element.values.data(), point);
}

// 2*pi as the double every conversion from hertz uses.
inline constexpr double kTwoPi = 6.283185307179586;

}  // namespace corvex
