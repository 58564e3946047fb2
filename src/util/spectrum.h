// A measured spectrum as the core receives it: frequencies in hertz and complex impedances
// in ohms, row by row, exactly as the caller supplied them.
#pragma once

#include <vector>

#include "util/complex.h"

namespace corvex {

struct Spectrum {
  std::vector<double> frequencies;   // hertz
  std::vector<Complex> impedances;   // ohms; capacitive data has negative imaginary parts
};

}  // namespace corvex
