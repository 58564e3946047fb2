// Single-frequency element evaluation: the per-omega quantities and the kind dispatch.
// Shares its kernels with the many-frequency plan so that both agree to the bit.
#include "elements/element_impedance.h"

#include <cmath>

#include "elements/complex_helpers.h"
#include "elements/element_kernels.h"

namespace corvex {

OmegaPoint make_omega_point(double omega) {
  OmegaPoint point;
  point.omega = omega;
  point.sqrt_omega = std::sqrt(omega);
  point.sqrt_omega_sq = point.sqrt_omega * point.sqrt_omega;
  point.sqrt_j_omega = sqrt_principal({0.0, omega});
  return point;
}

Complex element_impedance(ElementKind kind, const double* values, const OmegaPoint& point) {
  const int power = kernels::power_index(kind);
  const kernels::PowerOfImaginary p =
      power >= 0 ? kernels::power_of_imaginary(values[power]) : kernels::PowerOfImaginary{1.0, 0.0, 1.0};
  return kernels::evaluate(kind, values, point, p);
}

}  // namespace corvex
