// Shared fixtures of the fitting tests: circuits from notation with chosen values, and
// noise-free spectra generated from a circuit's own impedance.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/notation.h"
#include "elements/element_impedance.h"
#include "util/spectrum.h"

namespace fit_fixtures {

// The circuit of `notation` carrying `values`; aborts the test binary on a broken fixture.
inline corvex::Circuit circuit_with(std::string_view notation, const std::vector<double>& values) {
  corvex::Result<corvex::Circuit> parsed = corvex::circuit_from_text(notation);
  if (!parsed) {
    std::fprintf(stderr, "fixture: %s\n", parsed.error().message.c_str());
    std::abort();
  }
  corvex::Result<corvex::Circuit> valued = corvex::with_values(*parsed, values);
  if (!valued) {
    std::fprintf(stderr, "fixture: %s\n", valued.error().message.c_str());
    std::abort();
  }
  return *valued;
}

// count frequencies spaced evenly in decades from lo_hz to hi_hz.
inline std::vector<double> log_frequencies(double lo_hz, double hi_hz, std::size_t count) {
  std::vector<double> f(count);
  const double a = std::log10(lo_hz), b = std::log10(hi_hz);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0.0;
    f[i] = std::pow(10.0, a + (b - a) * t);
  }
  return f;
}

// The circuit's own impedance at each frequency: data an exact fit reproduces.
inline corvex::Spectrum spectrum_of(const corvex::Circuit& circuit, const std::vector<double>& f) {
  corvex::Spectrum s;
  s.frequencies = f;
  for (const double hz : f) s.impedances.push_back(corvex::impedance_at(circuit.nodes, corvex::kTwoPi * hz));
  return s;
}

}  // namespace fit_fixtures
