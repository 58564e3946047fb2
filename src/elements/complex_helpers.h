// The complex functions the impedance formulas are written in, each with exactly the
// branch structure and operation order that makes results reproducible across builds.
#pragma once

#include "util/complex.h"

namespace corvex {

// Principal square root with the sign conventions of the element formulas.
Complex sqrt_principal(Complex z);

// z raised to a real power; alpha of 1, 0.5 and 0 take exact shortcuts.
Complex pow_real(Complex z, double alpha);

// tanh(z), saturating to +-1 when |Re z| > 20 so sinh/cosh never overflow.
Complex tanh_limited(Complex z);

// coth(z) and csch(z) together, saturating like tanh_limited when |Re z| > 20.
struct CothCsch {
  Complex coth;
  Complex csch;
};
CothCsch coth_csch_limited(Complex z);

}  // namespace corvex
