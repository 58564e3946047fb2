// Fixtures of the global search tests: the R0-(R1,C1) circuit with chosen values and the
// noise-free spectrum of a known optimum, which every search should reach.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/notation.h"
#include "elements/element_impedance.h"
#include "util/spectrum.h"

namespace search_fixtures {

inline corvex::Circuit circuit(std::string_view notation, const std::vector<double>& values) {
  auto parsed = corvex::circuit_from_text(notation);
  auto valued = parsed ? corvex::with_values(*parsed, values) : parsed;
  if (!valued) {
    std::fprintf(stderr, "fixture: %s\n", valued.error().message.c_str());
    std::abort();
  }
  return *valued;
}

// The optimum of the searches: R0 = 20 ohm, R1 = 150 ohm, C1 = 2e-5 F.
inline const std::vector<double>& true_values() {
  static const std::vector<double> values = {20.0, 150.0, 2e-5};
  return values;
}

// A start a few-fold away from the optimum in every parameter.
inline corvex::Circuit rc_start() { return circuit("R0-(R1,C1)", {60.0, 40.0, 1e-4}); }

// 25 frequencies from 0.1 Hz to 100 kHz, evenly spaced in decades.
inline corvex::Spectrum spectrum_of(const corvex::Circuit& c) {
  corvex::Spectrum s;
  for (int i = 0; i < 25; ++i) {
    const double hz = std::pow(10.0, -1.0 + 6.0 * i / 24.0);
    s.frequencies.push_back(hz);
    s.impedances.push_back(corvex::impedance_at(c.nodes, corvex::kTwoPi * hz));
  }
  return s;
}

inline corvex::Spectrum rc_spectrum() { return spectrum_of(circuit("R0-(R1,C1)", true_values())); }

// The same frequencies with unmeasurable (NaN) impedances: every cost is NaN.
inline corvex::Spectrum nan_spectrum() {
  corvex::Spectrum s = rc_spectrum();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (corvex::Complex& z : s.impedances) z = {nan, nan};
  return s;
}

}  // namespace search_fixtures
